#pragma once
// Drawing the overlay images with GDI+: key caps, the mouse glyph and icons, and a whole
// atlas encoded as PNG.
#include <windows.h>
#include <gdiplus.h>

#include <optional>
#include <string>
#include <string_view>

#include "prompts/overlay_plan.h"
#include "prompts/overlay_stamp.h"

namespace mf::prompts {

// A key cap filling rect, with the label centred on its face; an empty label draws a blank
// cap. Text is bold in the given family, as large as fits.
void DrawKeyCap(Gdiplus::Graphics& graphics, const Gdiplus::FontFamily& family, RectF rect, std::u16string_view label);

// A blank key cap showing a mouse and up/down arrows.
void DrawMouseGlyph(Gdiplus::Graphics& graphics, const Gdiplus::FontFamily& family, RectF rect, int atlasScale);

// The icon PNG scaled to fit rect and centred, over a backdrop that leaves no pixel of rect
// fully transparent. Nothing when the bytes are no image.
void DrawPromptIcon(Gdiplus::Graphics& graphics, RectF rect, std::string_view pngBytes);

// The atlas's overlay image, transparent except where the plan draws, as PNG bytes;
// nothing when drawing or encoding fails.
std::optional<std::string> RenderOverlayPng(const AtlasPlan& plan, const Gdiplus::FontFamily& family,
                                            const IconFiles& icons, const CLSID& pngEncoder);

}  // namespace mf::prompts

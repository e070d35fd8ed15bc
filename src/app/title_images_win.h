#pragma once
// The title-screen pictures the executable carries, loaded for GDI+.
#include <windows.h>
#include <gdiplus.h>

#include <memory>

namespace mf::app {

// The picture an RCDATA resource holds, as pixels ready to draw (see app/pixel_image.h) or
// as a PNG; nothing when the resource is missing, empty or not a picture. The result is
// premultiplied 32-bit, quick to draw: an opaque picture in pixel form is drawn from the
// executable's own pages, anything else is a copy.
std::unique_ptr<Gdiplus::Bitmap> LoadImageResource(HINSTANCE instance, int resourceId);

}  // namespace mf::app

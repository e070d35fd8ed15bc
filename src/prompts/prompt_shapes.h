#pragma once
// The measurements of what the overlay draws: key caps, the mouse glyph and icons placed in
// their regions. Plain arithmetic over rectangles; the drawing itself is GDI+.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

#include "prompts/overlay_geometry.h"

namespace mf::prompts {

// Colours as 0xAARRGGBB.
inline constexpr std::uint32_t kKeyCapOuterColour = 0xFF0C0C0C;
inline constexpr std::uint32_t kKeyCapRimTopColour = 0xFFBEBEBE;
inline constexpr std::uint32_t kKeyCapRimBottomColour = 0xFF585858;
inline constexpr std::uint32_t kKeyCapFaceTopColour = 0xFF5C5C5C;
inline constexpr std::uint32_t kKeyCapFaceBottomColour = 0xFF222222;
inline constexpr std::uint32_t kKeyCapTextColour = 0xFFF5F5F5;
inline constexpr std::uint32_t kMouseBodyColour = 0xFFFFFFFF;
inline constexpr std::uint32_t kMouseInkColour = 0xFF232323;
inline constexpr std::uint32_t kMouseWheelColour = 0xFFF2D31B;
inline constexpr std::uint32_t kMouseArrowColour = 0xFFE1E1E1;
// Icon regions are first filled with this, so the whole region counts as overlay.
inline constexpr std::uint32_t kIconBackdropColour = 0x01000000;

inline constexpr char kKeyCapFontFamily[] = "Arial";

// A key cap: three nested rounded rectangles with corners of the same radius.
struct KeyCapShape {
  RectF outer, rim, face;
  float cornerRadius = 0;
};
KeyCapShape KeyCapShapeFor(RectF rect);

// The starting text size in pixels for a label of this many UTF-16 units: shorter labels
// get bigger letters.
float KeyCapTextSize(RectF rect, std::size_t labelLength);

// The widest a label may be on the face.
float KeyCapTextMaxWidth(const KeyCapShape& shape);

// Shrinks the size by a tenth until the text measured at that size fits in maxWidth, with
// at most 12 measurements.
float FitTextSize(float startSize, float maxWidth, const std::function<float(float size)>& measureWidth);

// A rectangle and the part of its ellipse drawn, in degrees clockwise from the x axis.
struct Arc {
  RectF bounds;
  float startAngle = 0, sweepAngle = 0;
};

// A mouse with a yellow wheel and up/down arrows beside it, on a blank key cap.
struct MouseGlyphShape {
  std::array<Arc, 2> body;   // closed into one outline
  std::array<Arc, 2> wheel;  // a capsule, closed likewise
  float penWidth = 0;
  std::array<PointF, 2> buttonSplit, buttonDivide;  // the two lines marking the buttons
  std::array<PointF, 3> arrowUp, arrowDown;
};
MouseGlyphShape MouseGlyphShapeFor(RectF rect, int atlasScale);

// An image of this size scaled to fit inside rect, keeping its proportions, centred.
RectF CentredFit(RectF rect, float imageWidth, float imageHeight);

}  // namespace mf::prompts

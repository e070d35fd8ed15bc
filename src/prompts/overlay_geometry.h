#pragma once
// Floating-point rectangles and points in output pixels, as GDI+ takes them.

namespace mf::prompts {

struct PointF {
  float x = 0, y = 0;
  bool operator==(const PointF&) const = default;
};

struct RectF {
  float x = 0, y = 0, w = 0, h = 0;
  bool operator==(const RectF&) const = default;
  float Right() const { return x + w; }
  float Bottom() const { return y + h; }
  // The rectangle moved in by d on every side.
  RectF Inset(float d) const { return {x + d, y + d, w - 2 * d, h - 2 * d}; }
};

}  // namespace mf::prompts

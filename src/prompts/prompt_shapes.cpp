#include "prompts/prompt_shapes.h"

#include <algorithm>

namespace mf::prompts {

KeyCapShape KeyCapShapeFor(RectF rect) {
  const float m = std::min(rect.w, rect.h);
  const float rimInset = std::max(0.045f * m, 1.0f);
  const float faceInset = std::max(0.1f * m, 2.0f);
  return {rect, rect.Inset(rimInset), rect.Inset(faceInset), 0.16f * m};
}

float KeyCapTextSize(RectF rect, std::size_t labelLength) {
  float factor = labelLength <= 1 ? 0.56f : labelLength == 2 ? 0.44f : labelLength <= 4 ? 0.30f
               : labelLength <= 6 ? 0.22f : 0.16f;
  return std::min(rect.w, rect.h) * factor;
}

float KeyCapTextMaxWidth(const KeyCapShape& shape) { return 0.92f * shape.face.w; }

float FitTextSize(float startSize, float maxWidth, const std::function<float(float size)>& measureWidth) {
  constexpr int kMaxMeasurements = 12;
  float size = startSize;
  for (int i = 0; i < kMaxMeasurements; ++i) {
    if (measureWidth(size) <= maxWidth) break;
    size *= 0.9f;
  }
  return size;
}

MouseGlyphShape MouseGlyphShapeFor(RectF rect, int atlasScale) {
  const float height = 0.91f * rect.h;
  const float bh = 0.74f * height;
  const float bw = std::min(0.55f * rect.w, 0.62f * bh);
  const float aw = 0.42f * bw;
  const float bx = rect.x + (rect.w - (1.15f * aw + bw)) / 2;
  const float by = rect.y + (height - bh) / 2;

  MouseGlyphShape shape;
  const float cap = 0.9f * bw;  // height of the rounded ends
  shape.body = {Arc{{bx, by, bw, cap}, 180, 180}, Arc{{bx, by + bh - cap, bw, cap}, 0, 180}};
  shape.penWidth = std::max(0.5f * static_cast<float>(atlasScale), 1.0f);
  const float split = by + 0.4f * bh;
  shape.buttonSplit = {PointF{bx, split}, PointF{bx + bw, split}};
  shape.buttonDivide = {PointF{bx + bw / 2, by}, PointF{bx + bw / 2, split}};

  const float ww = 0.3f * bw;
  const float wx = bx + bw / 2 - ww / 2;
  const float wy = by + 0.06f * bh;
  const float wh = 0.3f * bh;
  shape.wheel = {Arc{{wx, wy, ww, ww}, 180, 180}, Arc{{wx, wy + wh - ww, ww, ww}, 0, 180}};

  const float ax = bx + bw + 0.15f * aw;
  const float mid = by + bh / 2;
  const float gap = 0.1f * bh, tall = 0.26f * bh;
  shape.arrowUp = {PointF{ax, mid - gap}, PointF{ax + aw, mid - gap}, PointF{ax + aw / 2, mid - gap - tall}};
  shape.arrowDown = {PointF{ax, mid + gap}, PointF{ax + aw, mid + gap}, PointF{ax + aw / 2, mid + gap + tall}};
  return shape;
}

RectF CentredFit(RectF rect, float imageWidth, float imageHeight) {
  const float k = std::min(rect.h / imageHeight, rect.w / imageWidth);
  const float w = k * imageWidth, h = k * imageHeight;
  return {rect.x + (rect.w - w) / 2, rect.y + (rect.h - h) / 2, w, h};
}

}  // namespace mf::prompts

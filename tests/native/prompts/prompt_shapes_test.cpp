#include "prompts/prompt_shapes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace mf::prompts {
namespace {

bool Inside(PointF p, RectF r) { return p.x >= r.x && p.y >= r.y && p.x <= r.Right() && p.y <= r.Bottom(); }
bool Inside(RectF inner, RectF r) { return Inside(PointF{inner.x, inner.y}, r) && Inside(PointF{inner.Right(), inner.Bottom()}, r); }

TEST(KeyCapShape, NestedRectanglesAndCorners) {
  KeyCapShape cap = KeyCapShapeFor({4, 4, 120, 120});
  EXPECT_FLOAT_EQ(cap.cornerRadius, 19.2f);
  EXPECT_FLOAT_EQ(cap.rim.x, 4 + 5.4f);
  EXPECT_FLOAT_EQ(cap.rim.w, 120 - 10.8f);
  EXPECT_EQ(cap.face, (RectF{16, 16, 96, 96}));

  // Small caps keep a rim and a face of at least one and two pixels.
  KeyCapShape small = KeyCapShapeFor({0, 0, 30, 10});
  EXPECT_EQ(small.rim, (RectF{1, 1, 28, 8}));
  EXPECT_EQ(small.face, (RectF{2, 2, 26, 6}));
}

TEST(KeyCapTextSize, ShorterLabelsAreBigger) {
  const RectF cap{0, 0, 200, 100};
  const float expected[] = {56, 56, 44, 30, 30, 22, 22, 16, 16};
  for (std::size_t length = 0; length < std::size(expected); ++length)
    EXPECT_FLOAT_EQ(KeyCapTextSize(cap, length), expected[length]) << length;
}

TEST(FitTextSize, ShrinksByTenthsAtMostTwelveTimes) {
  int measurements = 0;
  auto widthOneAndAHalfTimesSize = [&](float size) { ++measurements; return 1.5f * size; };
  EXPECT_FLOAT_EQ(FitTextSize(40, 60, widthOneAndAHalfTimesSize), 40);  // fits at once
  EXPECT_EQ(measurements, 1);

  measurements = 0;
  EXPECT_FLOAT_EQ(FitTextSize(40, 45, widthOneAndAHalfTimesSize), 40 * 0.9f * 0.9f * 0.9f);
  EXPECT_EQ(measurements, 4);

  measurements = 0;
  EXPECT_NEAR(FitTextSize(40, 1, widthOneAndAHalfTimesSize), 40 * std::pow(0.9, 12), 1e-4);  // never fits
  EXPECT_EQ(measurements, 12);
}

TEST(MouseGlyphShape, StaysOnTheKeyCap) {
  for (RectF rect : {RectF{260, 132, 120, 120}, RectF{564, 920, 128, 88}, RectF{0, 0, 20, 60}}) {
    MouseGlyphShape mouse = MouseGlyphShapeFor(rect, 4);
    for (const Arc& arc : mouse.body) EXPECT_TRUE(Inside(arc.bounds, rect));
    for (const Arc& arc : mouse.wheel) EXPECT_TRUE(Inside(arc.bounds, mouse.body[0].bounds) || Inside(arc.bounds, rect));
    for (PointF p : mouse.arrowUp) EXPECT_TRUE(Inside(p, rect));
    for (PointF p : mouse.arrowDown) EXPECT_TRUE(Inside(p, rect));
  }
  EXPECT_FLOAT_EQ(MouseGlyphShapeFor({0, 0, 60, 60}, 4).penWidth, 2);
  EXPECT_FLOAT_EQ(MouseGlyphShapeFor({0, 0, 60, 60}, 1).penWidth, 1);
}

TEST(CentredFit, KeepsProportions) {
  EXPECT_EQ(CentredFit({0, 0, 128, 128}, 256, 256), (RectF{0, 0, 128, 128}));
  EXPECT_EQ(CentredFit({48, 916, 136, 96}, 256, 256), (RectF{68, 916, 96, 96}));
  EXPECT_EQ(CentredFit({0, 0, 100, 100}, 200, 100), (RectF{0, 25, 100, 50}));
}

}  // namespace
}  // namespace mf::prompts

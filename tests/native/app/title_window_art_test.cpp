#include "app/title_window_art.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace mf::app {
namespace {

TEST(CoverPlacement, FillsTheClientKeepingAspect) {
  struct Case {
    int clientWidth, clientHeight, imageWidth, imageHeight;
    PixelRect expected;
  } cases[] = {
      {1280, 720, 1280, 720, {0, 0, 1280, 720}},
      {1280, 720, 640, 360, {0, 0, 1280, 720}},
      {1280, 720, 1000, 1000, {0, -280, 1280, 1280}},   // square picture: top and bottom cut
      {1280, 720, 2000, 500, {-800, 0, 2880, 720}},     // wide picture: sides cut
      {1280, 800, 1280, 720, {-71, 0, 1422, 800}},      // sizes truncate, centring divides
  };
  for (const Case& c : cases)
    EXPECT_EQ(CoverPlacement(c.clientWidth, c.clientHeight, c.imageWidth, c.imageHeight), c.expected)
        << c.imageWidth << "x" << c.imageHeight;
}

TEST(LogoPlacement, FortyTwoPercentOfTheWidthNearTheTopLeft) {
  EXPECT_EQ(LogoPlacement(1280, 720, 1200, 360), (PixelRect{51, 43, 537, 161}));
  EXPECT_EQ(LogoPlacement(1000, 500, 420, 100), (PixelRect{40, 30, 420, 100}));
}

TEST(ButtonColours, PressedBeatsHoverAndFocus) {
  MenuItem item;
  EXPECT_EQ(ButtonColoursFor(item, false), (ButtonColours{0xDC141414, 0xFFC8C8C8}));
  EXPECT_EQ(ButtonColoursFor(item, true), (ButtonColours{0xF0323232, 0xFFF0F0F0}));
  item.hovered = true;
  EXPECT_EQ(ButtonColoursFor(item, false), (ButtonColours{0xF0323232, 0xFFF0F0F0}));
  item.pressed = true;
  EXPECT_EQ(ButtonColoursFor(item, true), (ButtonColours{0xFF3C3C3C, 0xFFC8C8C8}));
}

TEST(BannerLook, GlowsBrighterWhenActive) {
  BannerLook active = BannerLookFor(true), idle = BannerLookFor(false);
  EXPECT_EQ(active.glow[0], 0x05781616u);
  EXPECT_EQ(active.glow[4], 0x1C781616u);
  EXPECT_EQ(idle.glow[4], 0x10781616u);
  for (size_t i = 0; i < 5; ++i) EXPECT_GT(active.glow[i] >> 24, idle.glow[i] >> 24);
  EXPECT_EQ(active.outline, 0xDCC8C8C8u);
  EXPECT_EQ(idle.outline, 0xB48C3838u);
}

TEST(VersionLine, ShowsVersionAndRepository) {
  EXPECT_EQ(VersionLineText().rfind("MFLauncher v2.0.11  \xE2\x80\x94  github.com/", 0), 0u);
}

}  // namespace
}  // namespace mf::app

namespace mf::app {
namespace {

// A label 10 pixels wider than the button at 18 pixels, its width growing with its size.
TEST(ButtonLabelFit, StepsDownUntilTheLabelFits) {
  auto width = [](float size) { return size * 7.5f; };  // 135 at 18
  EXPECT_EQ(FittingTextSize(18, 11, 124, width), 16.0f);
  EXPECT_EQ(FittingTextSize(18, 11, 135, width), 18.0f) << "a label that fits keeps its size";
  EXPECT_EQ(FittingTextSize(18, 11, 20, width), 11.0f) << "never smaller than the smallest size";
}

// Three labels, each widening with its size at its own rate: the widest for its button
// decides the size of all three, the others are never measured below it.
TEST(ButtonLabelFit, ThreeLabelsShareTheLargestSizeAtWhichAllFit) {
  struct Case {
    const char* name;
    std::vector<float> perPixel;  // width of each label per pixel of size
    std::vector<float> available;
    float expected;
  } cases[] = {
      {"all fit at the preferred size", {2.5f, 4.1f, 2.0f}, {124, 124, 124}, 18},
      {"the long middle label sets the size", {3.3f, 7.8f, 2.9f}, {124, 124, 124}, 15},
      {"the last label sets the size", {3.3f, 4.0f, 7.0f}, {124, 124, 124}, 17},
      {"a narrower button", {3.0f, 3.0f, 3.0f}, {124, 45, 124}, 15},
      {"nothing fits: the smallest size", {20, 20, 20}, {124, 124, 124}, 11},
      {"no labels", {}, {}, 18},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::pair<int, float>> measured;
    float size = SharedFittingTextSize(18, 11, c.available, [&](int label, float pixels) {
      measured.emplace_back(label, pixels);
      return c.perPixel[static_cast<size_t>(label)] * pixels;
    });
    EXPECT_EQ(size, c.expected);
    for (size_t i = 0; i < c.available.size(); ++i)
      EXPECT_TRUE(c.perPixel[i] * size <= c.available[i] || size == 11) << "label " << i << " fits";
    for (const auto& [label, pixels] : measured) EXPECT_GE(pixels, c.expected) << "label " << label;
  }
}

}  // namespace
}  // namespace mf::app

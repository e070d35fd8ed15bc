#include "app/title_window_geometry.h"

#include <gtest/gtest.h>

namespace mf::app {
namespace {

TEST(TitleWindowCaption, NamesTheGameVersionAndRelease) {
  EXPECT_EQ(TitleWindowCaption(), "Mirefall Recompilation v2.0.11 | \xC2\xABQuillwork\xC2\xBB");
}

TEST(CentredWindowOrigin, UsesIntegerDivision) {
  struct Case {
    int screenWidth, screenHeight, outerWidth, outerHeight;
    Point expected;
  } cases[] = {
      {1920, 1080, 1286, 749, {317, 165}},
      {1281, 721, 1280, 720, {0, 0}},        // half a pixel rounds toward zero
      {1280, 720, 1286, 749, {-3, -14}},     // smaller screen: partly off-screen, no clamping
      {1024, 600, 1286, 749, {-131, -74}},
      {800, 600, 1287, 750, {-243, -75}},    // odd negative differences truncate toward zero
  };
  for (const Case& c : cases)
    EXPECT_EQ(CentredWindowOrigin(c.screenWidth, c.screenHeight, c.outerWidth, c.outerHeight), c.expected)
        << c.screenWidth << "x" << c.screenHeight;
}

}  // namespace
}  // namespace mf::app

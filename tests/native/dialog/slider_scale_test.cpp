#include <gtest/gtest.h>

#include "dialog/slider_scale.h"

namespace mf::dialog {
namespace {

TEST(SliderScale, PositionIsTheValuesShareOfTheRange) {
  EXPECT_EQ(SliderPositionFor(0.25, 0, 1), 250);
  EXPECT_EQ(SliderPositionFor(3, 0, 9), 333);
  EXPECT_EQ(SliderPositionFor(12, 0, 9), 1000) << "clamped at the right end";
  EXPECT_EQ(SliderPositionFor(-5, 0, 9), 0);
  EXPECT_EQ(SliderPositionFor(0.0005, 0.0005, 0.05), 0);
  EXPECT_EQ(SliderPositionFor(0.9995, 0, 1), 1000) << "half a step rounds up";
  EXPECT_EQ(SliderPositionFor(5, 3, 3), 0) << "an empty range";
}

TEST(SliderScale, TextForAPosition) {
  EXPECT_EQ(SliderValueText(333, 0, 1, false), "0.333");
  EXPECT_EQ(SliderValueText(250, 0, 1, false), "0.25");
  EXPECT_EQ(SliderValueText(1000, 10, 5000, false), "5000");
  EXPECT_EQ(SliderValueText(500, 0, 9, true), "5") << "4.5 rounds half away from zero";
  EXPECT_EQ(SliderValueText(333, 0, 9, true), "3");
  EXPECT_EQ(SliderValueText(500, -9, 0, true), "-5") << "-4.5 rounds away from zero";
  EXPECT_EQ(SliderValueText(0, 0.0005, 0.05, false), "0.0005");
}

TEST(SliderScale, ReadsTheNumberATextStartsWith) {
  EXPECT_EQ(ReadDecimal("0.25"), 0.25);
  EXPECT_EQ(ReadDecimal(" 0,5 "), 0.5);
  EXPECT_EQ(ReadDecimal("12abc"), 12);
  EXPECT_EQ(ReadDecimal("abc"), 0);
  EXPECT_EQ(ReadDecimal(""), 0);
  EXPECT_EQ(ReadDecimal("inf"), 0);
  EXPECT_EQ(ReadDecimal("-3e2"), -300);
}

}  // namespace
}  // namespace mf::dialog

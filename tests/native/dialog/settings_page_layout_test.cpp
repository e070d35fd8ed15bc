#include <gtest/gtest.h>

#include "dialog/settings_page_layout.h"

namespace mf::dialog {
namespace {

constexpr int kClientWidth = 790;

TEST(SettingsPageLayout, UpToTwelveRowsMakeOneColumn) {
  PageColumns page = ChoosePageColumns(12, kClientWidth);
  EXPECT_EQ(page.columns, 1);
  EXPECT_EQ(page.columnWidth, kClientWidth - 36);
  EXPECT_EQ(page.labelWidth, 240);
  EXPECT_EQ(page.controlWidth, 160);
  EXPECT_EQ(PageHeight(page, 12), 11 * 30 + 46);
  RowBoxes last = PlaceRow(page, 11, ValueControl::CheckBox);
  EXPECT_EQ(last.label, (PixelBox{18, 330 + 22, 240, 26}));
  EXPECT_EQ(last.control, (PixelBox{18 + 248, 330 + 22, 20, 24}));
}

// 13 rows: R = 7, rows 0..6 on the left, 7..12 on the right, side by side from the top.
TEST(SettingsPageLayout, ThirteenRowsMakeTwoColumnsOfSevenAndSix) {
  PageColumns page = ChoosePageColumns(13, kClientWidth);
  EXPECT_EQ(page.columns, 2);
  EXPECT_EQ(page.rowsPerColumn, 7);
  EXPECT_EQ(page.columnWidth, (kClientWidth - 54) / 2);
  EXPECT_EQ(page.labelWidth, 232);
  EXPECT_EQ(page.controlWidth, page.columnWidth - 240);
  EXPECT_EQ(PlaceRow(page, 6, ValueControl::Edit).label.x, 18);
  EXPECT_EQ(PlaceRow(page, 6, ValueControl::Edit).label.y, 6 * 30 + 22);
  RowBoxes right = PlaceRow(page, 7, ValueControl::Edit);
  EXPECT_EQ(right.label.x, 18 + page.columnWidth + 18);
  EXPECT_EQ(right.label.y, 22);
  EXPECT_EQ(PageHeight(page, 13), 6 * 30 + 46);
}

TEST(SettingsPageLayout, EmptyPageIsSixteenHigh) {
  EXPECT_EQ(PageHeight(ChoosePageColumns(0, kClientWidth), 0), 16);
}

TEST(SettingsPageLayout, RangedNumberGetsASliderAndA72PixelBox) {
  PageColumns page = ChoosePageColumns(3, kClientWidth);
  RowBoxes boxes = PlaceRow(page, 0, ValueControl::RangedEdit);
  int controlX = 18 + 240 + 8;
  EXPECT_EQ(boxes.control, (PixelBox{controlX + 160 - 72, 20, 72, 22}));
  ASSERT_TRUE(boxes.slider);
  EXPECT_EQ(*boxes.slider, (PixelBox{controlX, 20, 160 - 78, 22}));
}

// On a narrow two-column page the slider would be 40 pixels or less: the box keeps its
// place and there is no slider.
TEST(SettingsPageLayout, NarrowColumnsHaveNoSlider) {
  int clientWidth = 54 + 2 * (240 + 118);  // K = 118, K - 78 = 40
  PageColumns page = ChoosePageColumns(20, clientWidth);
  ASSERT_EQ(page.controlWidth, 118);
  RowBoxes boxes = PlaceRow(page, 0, ValueControl::RangedEdit);
  EXPECT_FALSE(boxes.slider);
  EXPECT_EQ(boxes.control.width, 72);
  EXPECT_EQ(boxes.control.x, 18 + 232 + 8 + 118 - 72);
  EXPECT_TRUE(PlaceRow(ChoosePageColumns(20, clientWidth + 2), 0, ValueControl::RangedEdit).slider);
}

TEST(SettingsPageLayout, ControlKinds) {
  using settings::SettingDef;
  using settings::SettingKind;
  auto row = [](const char* key, SettingKind kind, double min, double max) {
    SettingDef def;
    def.key = key;
    def.kind = kind;
    def.min = min;
    def.max = max;
    return def;
  };
  EXPECT_EQ(ValueControlFor(row("vsync", SettingKind::Bool, 0, 0)), ValueControl::CheckBox);
  EXPECT_EQ(ValueControlFor(row("monitor", SettingKind::Choice, 0, 0)), ValueControl::DropDown);
  EXPECT_EQ(ValueControlFor(row("keybind_a", SettingKind::Text, 0, 0)), ValueControl::Edit);
  EXPECT_EQ(ValueControlFor(row("mnk_sensitivity", SettingKind::Float, 0.05, 5)), ValueControl::RangedEdit);
  EXPECT_EQ(ValueControlFor(row("dualsense_rt_start", SettingKind::Int, 0, 9)), ValueControl::RangedEdit);
  EXPECT_EQ(ValueControlFor(row("window_width", SettingKind::Int, 0, 8192)), ValueControl::Edit);
  EXPECT_EQ(ValueControlFor(row("window_height", SettingKind::Int, 0, 8192)), ValueControl::Edit);
  EXPECT_EQ(ValueControlFor(row("no_range", SettingKind::Float, 0, 0)), ValueControl::Edit);
}

TEST(SettingsPageLayout, DialogIsCentredOrAtTheTopOfAShortScreen) {
  EXPECT_EQ(DialogOrigin(1280, 800, 820, 660), (ScreenPoint{230, 70}));
  EXPECT_EQ(DialogOrigin(1280, 600, 820, 660), (ScreenPoint{230, 0})) << "taller than the screen";
}

TEST(SettingsPageLayout, DropDownListIsAsWideAsItsWidestEntry) {
  EXPECT_EQ(DropDownListWidth(160, 100), 160);
  EXPECT_EQ(DropDownListWidth(160, 300), 324);
}

// A text longer than the English one widens the button by the difference, so it keeps the
// English padding; a shorter or equal one leaves the design width.
TEST(SettingsPageLayout, ButtonsKeepTheEnglishPadding) {
  EXPECT_EQ(PaddedButtonWidth(140, 80, 80), 140);
  EXPECT_EQ(PaddedButtonWidth(140, 80, 60), 140);
  EXPECT_EQ(PaddedButtonWidth(140, 80, 131), 191);
  EXPECT_EQ(PaddedButtonWidth(90, 44, 70), 116);
}

}  // namespace
}  // namespace mf::dialog

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "dialog/settings_page_layout.h"

namespace mf::dialog {
namespace {

constexpr int kClientWidth = 790;

TEST(SettingsPageLayout, UpToTwelveRowsMakeOneColumn) {
  PageColumns page = ChoosePageColumns(12, kClientWidth);
  EXPECT_EQ(page.columns, 1);
  EXPECT_EQ(page.column[0].left, 18);
  EXPECT_EQ(page.column[0].labelWidth, 240);
  EXPECT_EQ(page.column[0].controlWidth, 160);
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
  const int columnWidth = (kClientWidth - 54) / 2;
  for (const PageColumn& column : page.column) {
    EXPECT_EQ(column.labelWidth, 232);
    EXPECT_EQ(column.controlWidth, columnWidth - 240);
    EXPECT_EQ(column.Width(), columnWidth);
  }
  EXPECT_EQ(PlaceRow(page, 6, ValueControl::Edit).label.x, 18);
  EXPECT_EQ(PlaceRow(page, 6, ValueControl::Edit).label.y, 6 * 30 + 22);
  RowBoxes right = PlaceRow(page, 7, ValueControl::Edit);
  EXPECT_EQ(right.label.x, 18 + columnWidth + 18);
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
  ASSERT_EQ(page.column[0].controlWidth, 118);
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

// Rows whose texts fit keep the standard layout, and the page asks for no more width.
TEST(SettingsPageFit, TextsThatFitKeepTheStandardLayout) {
  constexpr int kChrome = 30;
  for (int count : {3, 13, 31}) {
    SCOPED_TRACE(count);
    std::vector<RowTextWidths> rows(static_cast<size_t>(count), RowTextWidths{100, 60});
    PageColumns standard = ChoosePageColumns(count, kClientWidth);
    PageColumns fitted = FitPageColumns(kClientWidth, kClientWidth, rows, kChrome);
    EXPECT_EQ(fitted.columns, standard.columns);
    EXPECT_EQ(fitted.rowsPerColumn, standard.rowsPerColumn);
    for (int c = 0; c < standard.columns; ++c) {
      EXPECT_EQ(fitted.column[c].left, standard.column[c].left);
      EXPECT_EQ(fitted.column[c].labelWidth, standard.column[c].labelWidth);
      EXPECT_EQ(fitted.column[c].controlWidth, standard.column[c].controlWidth);
    }
    EXPECT_LE(PageClientWidth(kClientWidth, rows, kChrome), kClientWidth);
  }
}

// Each column grows to its own widest label and widest drop-down entry; a page of the dialog
// that grew for another page shares the extra width between its two columns' controls, as
// the standard layout would at that width.
TEST(SettingsPageFit, ColumnsGrowToTheirTexts) {
  constexpr int kChrome = 30;
  constexpr int kBaseControl = (kClientWidth - 54) / 2 - 240;  // 128
  struct Case {
    const char* name;
    int rowCount;
    std::vector<std::pair<int, RowTextWidths>> texts;  // row k and its measured texts
    int clientWidth;                                   // the dialog's width once grown
    int neededClientWidth;
    PageColumn left, right;
  } cases[] = {
      {"one column, a long entry", 5, {{2, {100, 300}}}, 900, 18 + 240 + 8 + 330 + 18, {18, 240, 330}, {}},
      {"one column, a long label", 5, {{4, {250, 0}}}, 900, 18 + 256 + 8 + 160 + 18, {18, 256, 160}, {}},
      {"one column, an edit box's text is no entry", 5, {{1, {0, 0}}}, 900, 18 + 240 + 8 + 160 + 18,
       {18, 240, 160}, {}},
      {"two columns, long entry left, long label right", 14, {{1, {120, 400}}, {9, {230, 0}}}, 1096,
       18 + (232 + 8 + 430) + 18 + (236 + 8 + kBaseControl) + 18, {18, 232, 430}, {706, 236, kBaseControl}},
      {"two columns in a wider dialog", 14, {{1, {120, 400}}, {9, {230, 0}}}, 1200, 1096,
       {18, 232, 430 + 52}, {758, 236, kBaseControl + 52}},
      {"two columns, both grown", 31, {{0, {0, 280}}, {20, {0, 330}}}, 1216,
       18 + (232 + 8 + 310) + 18 + (232 + 8 + 360) + 18, {18, 232, 310 + 6}, {18 + 556 + 18, 232, 360 + 6}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<RowTextWidths> rows(static_cast<size_t>(c.rowCount));
    for (const auto& [k, texts] : c.texts) rows[static_cast<size_t>(k)] = texts;
    EXPECT_EQ(PageClientWidth(kClientWidth, rows, kChrome), c.neededClientWidth);
    PageColumns page = FitPageColumns(c.clientWidth, kClientWidth, rows, kChrome);
    std::vector<PageColumn> expected = {c.left};
    if (page.columns == 2) expected.push_back(c.right);
    for (size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ(page.column[i].left, expected[i].left) << "column " << i;
      EXPECT_EQ(page.column[i].labelWidth, expected[i].labelWidth) << "column " << i;
      EXPECT_EQ(page.column[i].controlWidth, expected[i].controlWidth) << "column " << i;
    }
    // The rows are placed in their column's boxes.
    for (const auto& [k, texts] : c.texts) {
      const PageColumn& column = page.column[page.columns == 1 ? 0 : k / page.rowsPerColumn];
      RowBoxes boxes = PlaceRow(page, k, ValueControl::DropDown);
      EXPECT_EQ(boxes.label.x, column.left);
      EXPECT_EQ(boxes.label.width, column.labelWidth);
      EXPECT_EQ(boxes.control.x, column.left + column.labelWidth + 8);
      EXPECT_EQ(boxes.control.width, column.controlWidth);
    }
  }
}

// The dialog takes the width of its widest page, never less than it had, and never more than
// a 1280-pixel window holds.
TEST(SettingsPageFit, DialogTakesItsWidestPageUpToTheScreen) {
  EXPECT_EQ(DialogClientWidth(790, 8, {}), 790);
  EXPECT_EQ(DialogClientWidth(790, 8, {500, 790, 16}), 790);
  EXPECT_EQ(DialogClientWidth(790, 8, {600, 1096, 700}), 1096);
  EXPECT_EQ(DialogClientWidth(790, 8, {1272}), 1272);
  EXPECT_EQ(DialogClientWidth(790, 8, {1400, 900}), 1272);
  EXPECT_EQ(DialogClientWidth(790, 14, {1400}), 1266);
}

}  // namespace
}  // namespace mf::dialog

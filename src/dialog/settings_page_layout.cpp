#include "dialog/settings_page_layout.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace mf::dialog {
namespace {

constexpr int kLabelTopOffset = 22, kLabelHeight = 26;
constexpr int kLabelToControlGap = 8;
constexpr int kRangedEditWidth = 72, kSliderToEditGap = 6;
constexpr int kMinSliderWidth = 40;

// Sizes would make no sense as a slider over 0..8192 pixels.
bool IsNoSliderKey(std::string_view key) {
  constexpr std::array<std::string_view, 2> kKeys = {"window_width", "window_height"};
  return std::find(kKeys.begin(), kKeys.end(), key) != kKeys.end();
}

}  // namespace

PageColumns ChoosePageColumns(int rowCount, int clientWidth) {
  PageColumns page;
  if (rowCount <= kMaxSingleColumnRows) {
    page.columns = 1;
    page.columnWidth = clientWidth - 2 * kPageMargin;
    page.labelWidth = 240;
    page.controlWidth = 160;
    page.rowsPerColumn = rowCount;
  } else {
    page.columns = 2;
    page.columnWidth = (clientWidth - 3 * kPageMargin) / 2;
    page.labelWidth = 232;
    page.controlWidth = page.columnWidth - 240;
    page.rowsPerColumn = (rowCount + 1) / 2;
  }
  return page;
}

int PageHeight(const PageColumns& columns, int rowCount) {
  if (rowCount <= 0) return kMinPageHeight;
  int lowestLine = std::min(rowCount, std::max(columns.rowsPerColumn, 1)) - 1;
  return std::max(kMinPageHeight, lowestLine * kRowPitch + 46);
}

ValueControl ValueControlFor(const settings::SettingDef& row) {
  using settings::SettingKind;
  switch (row.kind) {
    case SettingKind::Bool:
      return ValueControl::CheckBox;
    case SettingKind::Choice:
      return ValueControl::DropDown;
    case SettingKind::Int:
    case SettingKind::Float:
      return row.max > row.min && !IsNoSliderKey(row.key) ? ValueControl::RangedEdit : ValueControl::Edit;
    default:
      return ValueControl::Edit;
  }
}

RowBoxes PlaceRow(const PageColumns& columns, int k, ValueControl control) {
  int perColumn = std::max(columns.rowsPerColumn, 1);
  int column = columns.columns == 1 ? 0 : k / perColumn;
  int line = columns.columns == 1 ? k : k % perColumn;
  int top = kRowPitch * line;
  int x = kPageMargin + column * (columns.columnWidth + kPageMargin);
  int controlX = x + columns.labelWidth + kLabelToControlGap;
  int width = columns.controlWidth;

  RowBoxes boxes;
  boxes.label = {x, top + kLabelTopOffset, columns.labelWidth, kLabelHeight};
  switch (control) {
    case ValueControl::CheckBox:
      boxes.control = {controlX, top + 22, 20, 24};
      break;
    case ValueControl::DropDown:
      boxes.control = {controlX, top + 18, width, 260};
      break;
    case ValueControl::Edit:
      boxes.control = {controlX, top + 20, width, 22};
      break;
    case ValueControl::RangedEdit: {
      boxes.control = {controlX + width - kRangedEditWidth, top + 20, kRangedEditWidth, 22};
      int sliderWidth = width - kRangedEditWidth - kSliderToEditGap;
      if (sliderWidth > kMinSliderWidth) boxes.slider = PixelBox{controlX, top + 20, sliderWidth, 22};
      break;
    }
  }
  return boxes;
}

ScreenPoint DialogOrigin(int screenWidth, int screenHeight, int windowWidth, int windowHeight) {
  return {(screenWidth - windowWidth) / 2, std::max(0, (screenHeight - windowHeight) / 2)};
}

int DropDownListWidth(int controlWidth, int widestEntryText) { return std::max(controlWidth, widestEntryText + 24); }

int PaddedButtonWidth(int designWidth, int englishText, int widestText) {
  return designWidth + std::max(0, widestText - englishText);
}

}  // namespace mf::dialog

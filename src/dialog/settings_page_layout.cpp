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

int PageColumn::Width() const { return labelWidth + kLabelToControlGap + controlWidth; }

PageColumns ChoosePageColumns(int rowCount, int clientWidth) {
  PageColumns page;
  if (rowCount <= kMaxSingleColumnRows) {
    page.columns = 1;
    page.rowsPerColumn = rowCount;
    page.column[0] = {kPageMargin, 240, 160};
  } else {
    page.columns = 2;
    page.rowsPerColumn = (rowCount + 1) / 2;
    int columnWidth = (clientWidth - 3 * kPageMargin) / 2;
    page.column[0] = {kPageMargin, 232, columnWidth - 240};
    page.column[1] = {2 * kPageMargin + columnWidth, 232, columnWidth - 240};
  }
  return page;
}

namespace {

int ColumnOf(const PageColumns& page, int k) {
  return page.columns == 1 ? 0 : k / std::max(page.rowsPerColumn, 1);
}

// The standard columns, each grown to hold its own texts.
PageColumns ColumnsHoldingTheirTexts(int baseClientWidth, const std::vector<RowTextWidths>& rows,
                                     int dropDownChrome) {
  int count = static_cast<int>(rows.size());
  PageColumns page = ChoosePageColumns(count, baseClientWidth);
  for (int k = 0; k < count; ++k) {
    PageColumn& column = page.column[ColumnOf(page, k)];
    const RowTextWidths& texts = rows[static_cast<size_t>(k)];
    if (texts.label > 0) column.labelWidth = std::max(column.labelWidth, texts.label + kLabelSpareWidth);
    if (texts.widestEntry > 0)
      column.controlWidth = std::max(column.controlWidth, texts.widestEntry + dropDownChrome);
  }
  return page;
}

int MarginsAndColumns(const PageColumns& page) {
  int width = kPageMargin;
  for (int c = 0; c < page.columns; ++c) width += page.column[c].Width() + kPageMargin;
  return width;
}

}  // namespace

PageColumns FitPageColumns(int clientWidth, int baseClientWidth, const std::vector<RowTextWidths>& rows,
                           int dropDownChrome) {
  PageColumns page = ColumnsHoldingTheirTexts(baseClientWidth, rows, dropDownChrome);
  if (page.columns == 2) {
    // Split as the standard layout splits: the odd pixel of an odd width stays unused.
    int share = (clientWidth - MarginsAndColumns(page)) / 2;
    page.column[0].controlWidth += share;
    page.column[1].controlWidth += share;
    page.column[1].left = page.column[0].left + page.column[0].Width() + kPageMargin;
  }
  return page;
}

int PageClientWidth(int baseClientWidth, const std::vector<RowTextWidths>& rows, int dropDownChrome) {
  return MarginsAndColumns(ColumnsHoldingTheirTexts(baseClientWidth, rows, dropDownChrome));
}

int DialogClientWidth(int baseClientWidth, int frameWidth, const std::vector<int>& pageClientWidths) {
  int widest = baseClientWidth;
  for (int width : pageClientWidths) widest = std::max(widest, width);
  return std::max(baseClientWidth, std::min(widest, kMaxDialogWindowWidth - frameWidth));
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
  const PageColumn& column = columns.column[ColumnOf(columns, k)];
  int line = columns.columns == 1 ? k : k % perColumn;
  int top = kRowPitch * line;
  int x = column.left;
  int controlX = x + column.labelWidth + kLabelToControlGap;
  int width = column.controlWidth;

  RowBoxes boxes;
  boxes.label = {x, top + kLabelTopOffset, column.labelWidth, kLabelHeight};
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

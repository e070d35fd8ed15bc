#pragma once
// Where the controls of one settings page go: one column up to 12 rows, two from 13, each
// row a label on the left and its value control beside it. All numbers are client pixels of
// the dialog, before the page is moved below the tab strip.
#include <optional>

#include "settings/setting_def.h"

namespace mf::dialog {

struct PixelBox {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const PixelBox&) const = default;
};

struct PageColumns {
  int columns = 1;
  int columnWidth = 0;    // C
  int labelWidth = 0;     // L
  int controlWidth = 0;   // K
  int rowsPerColumn = 0;  // R
};

inline constexpr int kMaxSingleColumnRows = 12;
inline constexpr int kRowPitch = 30;
inline constexpr int kPageMargin = 18;
inline constexpr int kMinPageHeight = 16;

PageColumns ChoosePageColumns(int rowCount, int clientWidth);

// The page height for its row count: room for the lowest row, at least kMinPageHeight.
int PageHeight(const PageColumns& columns, int rowCount);

// The value control a row gets.
enum class ValueControl { CheckBox, DropDown, Edit, RangedEdit };
ValueControl ValueControlFor(const settings::SettingDef& row);

struct RowBoxes {
  PixelBox label;
  PixelBox control;
  std::optional<PixelBox> slider;
};

// The boxes of the k-th row of the page (k from 0, in table order).
RowBoxes PlaceRow(const PageColumns& columns, int k, ValueControl control);

// Where the dialog goes once it has grown to its pages: centred on the screen, or at the top
// when it is taller than the screen, so that its buttons can always be reached.
struct ScreenPoint {
  int x = 0, y = 0;
  bool operator==(const ScreenPoint&) const = default;
};
ScreenPoint DialogOrigin(int screenWidth, int screenHeight, int windowWidth, int windowHeight);

// A dialog button sized for its English text (designWidth holds englishText and its
// padding) widened so that the widest of its texts keeps that same padding.
int PaddedButtonWidth(int designWidth, int englishText, int widestText);

// The drop-down list of a choice row is as wide as its widest entry needs, never narrower
// than the box itself.
int DropDownListWidth(int controlWidth, int widestEntryText);

}  // namespace mf::dialog

#pragma once
// Where the controls of one settings page go: one column up to 12 rows, two from 13, each
// row a label on the left and its value control beside it. All numbers are client pixels of
// the dialog, before the page is moved below the tab strip.
#include <optional>
#include <vector>

#include "settings/setting_def.h"

namespace mf::dialog {

struct PixelBox {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const PixelBox&) const = default;
};

// One column of a page: where it starts and how wide its labels and value controls are.
struct PageColumn {
  int left = 0;
  int labelWidth = 0;    // L
  int controlWidth = 0;  // K
  int Width() const;     // label, gap and control
};

struct PageColumns {
  int columns = 1;
  int rowsPerColumn = 0;  // R
  PageColumn column[2];   // the second is used by two-column pages only
};

inline constexpr int kMaxSingleColumnRows = 12;
inline constexpr int kRowPitch = 30;
inline constexpr int kPageMargin = 18;
inline constexpr int kMinPageHeight = 16;

// The standard layout for a dialog `clientWidth` wide: one column with 240-pixel labels and
// 160-pixel controls, or two columns sharing the width, 232-pixel labels beside controls that
// take the rest of their column.
PageColumns ChoosePageColumns(int rowCount, int clientWidth);

// What a row's texts measure in the dialog font: its label, and for a drop-down list the
// widest of its entries (0 for other rows).
struct RowTextWidths {
  int label = 0;
  int widestEntry = 0;
};

// A label keeps a few pixels to spare: one that only just fits loses its last letter.
inline constexpr int kLabelSpareWidth = 6;

// The standard layout at least, widened where a page's texts need more room: a column's
// labels as wide as its widest label, its controls as wide as a closed drop-down list needs
// to show its widest entry whole (`dropDownChrome`: the list's borders, arrow button and
// text inset). `baseClientWidth` is the dialog's width before it grew; its two-column
// controls are the narrowest two-column controls get. On two-column pages whatever width is
// left goes to the controls of both columns in equal parts.
PageColumns FitPageColumns(int clientWidth, int baseClientWidth, const std::vector<RowTextWidths>& rows,
                           int dropDownChrome);

// The client width a page needs so that FitPageColumns gives every text its room.
int PageClientWidth(int baseClientWidth, const std::vector<RowTextWidths>& rows, int dropDownChrome);

// The dialog grows to its widest page but never past the Steam Deck's 1280-pixel screen
// (`frameWidth`: the window's width less its client width). An entry that still does not
// fit a closed list (a few of the game's own option texts, which stay as they are) shows
// whole in the open list, which is as wide as its widest entry.
inline constexpr int kMaxDialogWindowWidth = 1280;
int DialogClientWidth(int baseClientWidth, int frameWidth, const std::vector<int>& pageClientWidths);

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

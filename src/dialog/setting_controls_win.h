#pragma once
// The controls of the settings pages: one label and one value control per setting (and a
// slider beside ranged numbers), kept in step while the player edits and read back on Save.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "dialog/setting_readback.h"
#include "dialog/settings_page_layout.h"

namespace mf::dialog {

// Control identifiers: value control, label and slider of schema row r.
inline constexpr int kValueControlIdBase = 1000;
inline constexpr int kLabelIdBase = 2000;
inline constexpr int kSliderIdBase = 10000;

struct ControlRow {
  HWND label = nullptr;
  HWND control = nullptr;  // check box, drop-down list or edit box
  HWND slider = nullptr;   // beside a ranged number's edit box, else null
  double min = 0, max = 1;
  int row = 0;             // index in the settings schema
  std::vector<std::string> choiceValues;  // a drop-down list's entry values, in list order
};

struct SettingControls {
  std::vector<ControlRow> rows;  // in table order, page by page
  // A page without settings says so in one line rather than showing nothing: page, line.
  std::vector<std::pair<int, HWND>> emptyPageNotes;
  // Set while the dialog itself changes a slider or an edit box, so that the notification
  // this causes does not echo back.
  bool syncing = false;
};

// The texts of a page's rows, in table order, measured in the dialog font: every label and
// every entry of every drop-down list (each entry once).
std::vector<RowTextWidths> MeasurePageTexts(int page);

// The pixels a closed drop-down list takes beside the text it shows (its borders, its arrow
// button and the text's inset), measured on a list of this system's own.
int ClosedDropDownChrome(HWND dialog);

// How wide the dialog is now and was at first, where the pages start (pixels below the
// client area's top) and what a closed drop-down list needs beside its text.
struct PageFrame {
  int clientWidth = 0;
  int baseClientWidth = 0;
  int top = 0;
  int dropDownChrome = 0;
};

// Creates, hidden, the controls of every schema row on the page, laid out so that the
// measured texts fit, and returns the page height (at least 16).
int CreateSettingsPage(HWND dialog, const PageFrame& frame, int page, const std::vector<RowTextWidths>& texts,
                       SettingControls& controls);

// Shows the controls of one page and hides all others.
void ShowSettingsPage(const SettingControls& controls, int page);

// The slider was moved by the player: its edit box shows the value.
void OnSliderMoved(SettingControls& controls, HWND slider);
// An edit box's text changed: its slider, if it has one, follows.
void OnEditChanged(SettingControls& controls, HWND edit);

// Every control's state into its schema row. Number boxes whose text is no number keep the
// row's value and are returned.
std::vector<RejectedField> ReadBackControls(const SettingControls& controls);

}  // namespace mf::dialog

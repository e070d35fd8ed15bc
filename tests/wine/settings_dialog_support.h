#pragma once
// The settings dialog run inside the test on a thread of its own, over the files of a
// temporary game folder, and driven the way a player drives it: clicks, keys and typed
// characters posted into its message loop.
#include <windows.h>

#include <future>
#include <string>

#include "wine_test_support.h"

namespace mf::test {

inline const std::wstring kSettingsCaption = L"Mirefall";
inline const std::wstring kMessageCaption = L"Mirefall Recompilation";
inline constexpr int kSaveButtonId = 100, kCancelButtonId = 101, kTabStripId = 200;
inline constexpr int kPageCount = 7;

class SettingsDialogDriver {
 public:
  explicit SettingsDialogDriver(const TempGameFolder& folder);
  ~SettingsDialogDriver();  // a dialog still open is cancelled

  // Opens the dialog and waits for it; null when it did not appear.
  HWND Open();
  // The dialog's result once it has closed (1 saved, 2 cancelled), or 0.
  INT_PTR Result();

  HWND dialog() const { return dialog_; }
  HWND Item(int id) const { return ::GetDlgItem(dialog_, id); }
  // The value control, label and slider of a setting, by key.
  HWND Control(const char* key) const;
  HWND Label(const char* key) const;
  HWND Slider(const char* key) const;

  // Clicks a tab and waits until its page shows.
  bool ShowPage(int page);
  int CurrentPage() const;
  // Replaces an edit box's text by typing it.
  bool Type(HWND edit, const std::wstring& text);
  void Click(HWND control);
  // The control that has the keyboard focus in the dialog's thread.
  HWND Focus() const;

  // A message box of the launcher over the dialog, its texts, and pressing its OK button.
  HWND WaitForMessageBox();
  void PressOk(HWND box);

 private:
  const TempGameFolder& folder_;
  std::future<INT_PTR> result_;
  HWND dialog_ = nullptr;
};

// Index of a setting in the settings table.
int RowIndex(const char* key);

}  // namespace mf::test

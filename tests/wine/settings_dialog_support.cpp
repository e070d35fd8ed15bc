#include "settings_dialog_support.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include "dialog/settings_dialog_win.h"
#include "settings/settings_schema.h"

namespace mf::test {

int RowIndex(const char* key) {
  const auto& schema = settings::SettingsSchema();
  for (size_t r = 0; r < schema.size(); ++r)
    if (schema[r].key == key) return static_cast<int>(r);
  ADD_FAILURE() << "no setting " << key;
  return -1;
}

SettingsDialogDriver::SettingsDialogDriver(const TempGameFolder& folder) : folder_(folder) {
  settings::BuildSettingsSchema();
}

SettingsDialogDriver::~SettingsDialogDriver() {
  if (!result_.valid()) return;
  // A test that stopped half-way may have left a message box over the dialog: answer it
  // first, or the dialog could never close and the thread never end.
  WaitUntil([&] {
    for (const std::wstring& caption : {kMessageCaption, std::wstring(L"MFLauncher \u2014 Save error")})
      if (HWND box = FindProcessWindow(::GetCurrentProcessId(), L"#32770", caption)) PressOk(box);
    if (dialog_ && ::IsWindow(dialog_)) ::PostMessageW(dialog_, WM_CLOSE, 0, 0);
    return result_.wait_for(std::chrono::milliseconds(200)) == std::future_status::ready;
  });
}

HWND SettingsDialogDriver::Open() {
  std::filesystem::path folder = folder_.path();
  result_ = std::async(std::launch::async, [folder] { return dialog::RunSettingsDialog(nullptr, folder); });
  dialog_ = WaitForProcessWindow(::GetCurrentProcessId(), L"#32770", kSettingsCaption);
  return dialog_;
}

INT_PTR SettingsDialogDriver::Result() {
  if (!result_.valid() || result_.wait_for(kPatience) != std::future_status::ready) return 0;
  return result_.get();
}

HWND SettingsDialogDriver::Control(const char* key) const { return Item(1000 + RowIndex(key)); }
HWND SettingsDialogDriver::Label(const char* key) const { return Item(2000 + RowIndex(key)); }
HWND SettingsDialogDriver::Slider(const char* key) const { return Item(10000 + RowIndex(key)); }

int SettingsDialogDriver::CurrentPage() const {
  return static_cast<int>(::SendMessageW(Item(kTabStripId), TCM_GETCURSEL, 0, 0));
}

bool SettingsDialogDriver::ShowPage(int page) {
  HWND tab = Item(kTabStripId);
  RECT item = {};
  ::SendMessageW(tab, TCM_GETITEMRECT, page, reinterpret_cast<LPARAM>(&item));
  PostClick(tab, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
  // Shown once the first row of the page is visible (the Experimental page has none).
  const auto& schema = settings::SettingsSchema();
  for (size_t r = 0; r < schema.size(); ++r)
    if (static_cast<int>(schema[r].tab) == page)
      return WaitUntil([&] { return CurrentPage() == page && ::IsWindowVisible(Item(2000 + static_cast<int>(r))); });
  return WaitUntil([&] { return CurrentPage() == page; });
}

bool SettingsDialogDriver::Type(HWND edit, const std::wstring& text) {
  ::SendMessageW(edit, EM_SETSEL, 0, -1);
  if (text.empty()) ::PostMessageW(edit, WM_CHAR, VK_BACK, 1);
  for (wchar_t c : text) ::PostMessageW(edit, WM_CHAR, c, 1);
  return WaitUntil([&] { return WindowText(edit) == text; });
}

void SettingsDialogDriver::Click(HWND control) {
  RECT client = {};
  ::GetClientRect(control, &client);
  PostClick(control, client.right / 2, client.bottom / 2);
}

HWND SettingsDialogDriver::Focus() const {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog_, nullptr), &info);
  return info.hwndFocus;
}

HWND SettingsDialogDriver::WaitForMessageBox() {
  return WaitForProcessWindow(::GetCurrentProcessId(), L"#32770", kMessageCaption);
}

void SettingsDialogDriver::PressOk(HWND box) { ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

}  // namespace mf::test

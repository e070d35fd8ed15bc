#include "ui/dialog_tabs_win.h"

#include <commctrl.h>

namespace mf::ui {

HWND DialogTabStrip(HWND dialog) { return ::FindWindowExW(dialog, nullptr, WC_TABCONTROLW, nullptr); }

bool SwitchDialogTab(HWND dialog, int step) {
  HWND tab = DialogTabStrip(dialog);
  if (!tab) return false;
  int count = static_cast<int>(::SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
  if (count <= 0) return true;
  int current = static_cast<int>(::SendMessageW(tab, TCM_GETCURSEL, 0, 0));
  int page = ((current + step) % count + count) % count;

  int id = ::GetDlgCtrlID(tab);
  NMHDR header = {tab, static_cast<UINT_PTR>(id), static_cast<UINT>(TCN_SELCHANGING)};
  if (::SendMessageW(dialog, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&header))) return true;  // refused
  ::SendMessageW(tab, TCM_SETCURSEL, page, 0);
  header.code = static_cast<UINT>(TCN_SELCHANGE);
  ::SendMessageW(dialog, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&header));

  HWND focus = ::GetFocus();
  if (!focus || !::IsWindowVisible(focus)) ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(tab), TRUE);
  return true;
}

}  // namespace mf::ui

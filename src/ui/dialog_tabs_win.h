#pragma once
// Switching the page of a tabbed dialog from outside its tab strip (Ctrl+Tab, the
// controller's shoulder buttons), with the same notifications a click on a tab sends.
#include <windows.h>

namespace mf::ui {

// The dialog's tab strip (the first "SysTabControl32" child), or null.
HWND DialogTabStrip(HWND dialog);

// Moves the selection step tabs on, wrapping around, and tells the dialog as a click would
// (TCN_SELCHANGING, which may refuse, then TCN_SELCHANGE). If the control that had the
// focus is now hidden, the tab strip takes it. False when the dialog has no tab strip.
bool SwitchDialogTab(HWND dialog, int step);

}  // namespace mf::ui

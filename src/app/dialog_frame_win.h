#pragma once
// The frame shared by the launcher's dialogs: an in-memory template for a modal, centred,
// captioned window with no controls (they are made in WM_INITDIALOG), and the dark title bar.
#include <windows.h>

#include <string>
#include <vector>

namespace mf::app {

// DLGTEMPLATE, then the menu, class, caption and font fields (9 point "Segoe UI"),
// WORD-aligned as the dialog manager reads them.
std::vector<WORD> BuildDialogTemplate(const std::wstring& caption, short widthUnits, short heightUnits);

// Asks the window manager for a dark title bar (Windows 10 20H1 and later; elsewhere a no-op).
void UseDarkTitleBar(HWND window);

}  // namespace mf::app

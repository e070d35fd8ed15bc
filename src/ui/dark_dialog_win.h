#pragma once
// What the launcher's small dark dialogs share: an in-memory template without controls,
// the one background brush, the dark title bar, and child controls in the GUI font.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace mf::ui {

inline constexpr COLORREF kDarkDialogBackground = RGB(24, 26, 30);

// Registers the common controls' window classes the launcher's dialogs use: tabs, sliders,
// progress bars, and the themed buttons, lists and fields. Every dialog calls it before it
// is made, as Windows asks; cheap once done.
void LoadCommonControls();

// DLGTEMPLATE with caption and 9-point "Segoe UI" (DS_SETFONT), popup, caption, system
// menu, modal frame, centred; size in dialog units; controls are made in WM_INITDIALOG.
std::vector<WORD> BuildDialogTemplate(const std::wstring& caption, short width, short height);

// One brush for every dark dialog of the process, kept for its lifetime.
HBRUSH DarkDialogBrush();

// A dark dialog procedure's answer to WM_CTLCOLORSTATIC (texts in `textColour` on the dark
// background), WM_CTLCOLORBTN and WM_CTLCOLORDLG; nothing for any other message.
std::optional<INT_PTR> DarkDialogColours(UINT message, WPARAM wParam, COLORREF textColour);

// Asks for the dark title bar (DWM's immersive dark mode).
void RequestDarkTitleBar(HWND window);

// A visible child control in DEFAULT_GUI_FONT.
HWND CreateDialogChild(HWND dialog, const wchar_t* className, const wchar_t* text, DWORD style, int id, int x, int y,
                       int width, int height);

}  // namespace mf::ui

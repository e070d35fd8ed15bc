#include "dialog/focus_ring_win.h"

#include <commctrl.h>

#include "dialog/dialog_style_win.h"

namespace mf::dialog {
namespace {

constexpr UINT_PTR kFocusRingSubclass = 0x4652;  // any id unique among this control's subclasses

LRESULT CALLBACK FocusRingProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_PAINT: {
      LRESULT result = ::DefSubclassProc(control, message, wParam, lParam);
      if (::GetFocus() == control && FocusCuesShown(control)) {
        RECT client = {};
        ::GetClientRect(control, &client);
        HDC dc = ::GetDC(control);
        ::FrameRect(dc, &client, AccentBrush());
        ::ReleaseDC(control, dc);
      }
      return result;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE: {
      LRESULT result = ::DefSubclassProc(control, message, wParam, lParam);
      ::InvalidateRect(control, nullptr, TRUE);
      return result;
    }
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(control, &FocusRingProc, kFocusRingSubclass);
      break;
  }
  return ::DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void AddFocusRing(HWND control) {
  if (control) ::SetWindowSubclass(control, &FocusRingProc, kFocusRingSubclass, 0);
}

bool FocusCuesShown(HWND window) { return (::SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0; }

}  // namespace mf::dialog

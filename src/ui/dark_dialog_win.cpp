#include "ui/dark_dialog_win.h"

#include <commctrl.h>
#include <dwmapi.h>

#include "ui/win_handles_win.h"

namespace mf::ui {
namespace {

constexpr DWORD kUseImmersiveDarkMode = 20;  // DWMWA_USE_IMMERSIVE_DARK_MODE

}  // namespace

void LoadCommonControls() {
  INITCOMMONCONTROLSEX controls = {sizeof controls,
                                   ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);
}

std::vector<WORD> BuildDialogTemplate(const std::wstring& caption, short width, short height) {
  // DLGTEMPLATE, then the menu, class, caption and font fields, WORD-aligned as the dialog
  // manager reads them.
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
  header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER;
  header->cdit = 0;
  header->x = 0;
  header->y = 0;
  header->cx = width;
  header->cy = height;
  words.push_back(0);  // no menu
  words.push_back(0);  // the default dialog class
  words.insert(words.end(), caption.begin(), caption.end());
  words.push_back(0);
  words.push_back(9);  // point size
  const std::wstring font = L"Segoe UI";
  words.insert(words.end(), font.begin(), font.end());
  words.push_back(0);
  return words;
}

HBRUSH DarkDialogBrush() {
  static const win::UniqueGdiObject brush(::CreateSolidBrush(kDarkDialogBackground));
  return static_cast<HBRUSH>(brush.get());
}

std::optional<INT_PTR> DarkDialogColours(UINT message, WPARAM wParam, COLORREF textColour) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
      ::SetTextColor(reinterpret_cast<HDC>(wParam), textColour);
      ::SetBkColor(reinterpret_cast<HDC>(wParam), kDarkDialogBackground);
      return reinterpret_cast<INT_PTR>(DarkDialogBrush());
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(DarkDialogBrush());
    default:
      return std::nullopt;
  }
}

void RequestDarkTitleBar(HWND window) {
  BOOL dark = TRUE;
  ::DwmSetWindowAttribute(window, kUseImmersiveDarkMode, &dark, sizeof dark);
}

HWND CreateDialogChild(HWND dialog, const wchar_t* className, const wchar_t* text, DWORD style, int id, int x, int y,
                       int width, int height) {
  HWND child = ::CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, dialog,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return child;
}

}  // namespace mf::ui

#include "app/dialog_frame_win.h"

#include <dwmapi.h>

namespace mf::app {

std::vector<WORD> BuildDialogTemplate(const std::wstring& caption, short widthUnits, short heightUnits) {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
  header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER;
  header->cdit = 0;
  header->x = 0;
  header->y = 0;
  header->cx = widthUnits;
  header->cy = heightUnits;
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

void UseDarkTitleBar(HWND window) {
  constexpr DWORD kUseImmersiveDarkMode = 20;  // DWMWA_USE_IMMERSIVE_DARK_MODE
  BOOL dark = TRUE;
  ::DwmSetWindowAttribute(window, kUseImmersiveDarkMode, &dark, sizeof dark);
}

}  // namespace mf::app

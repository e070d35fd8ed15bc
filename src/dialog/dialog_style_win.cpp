#include "dialog/dialog_style_win.h"

#include "ui/dark_dialog_win.h"
#include "ui/win_handles_win.h"

namespace mf::dialog {
namespace {

HBRUSH KeptBrush(const win::UniqueGdiObject& brush) { return static_cast<HBRUSH>(brush.get()); }

bool IsFontInstalled(const wchar_t* face) {
  LOGFONTW wanted = {};
  wanted.lfCharSet = DEFAULT_CHARSET;
  wcsncpy_s(wanted.lfFaceName, face, _TRUNCATE);
  HDC screen = ::GetDC(nullptr);
  bool found = false;
  ::EnumFontFamiliesExW(
      screen, &wanted, [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
        *reinterpret_cast<bool*>(found) = true;
        return 0;
      },
      reinterpret_cast<LPARAM>(&found), 0);
  ::ReleaseDC(nullptr, screen);
  return found;
}

HFONT MakeDialogFont() {
  const wchar_t* face = IsFontInstalled(L"Segoe UI") ? L"Segoe UI" : L"Tahoma";
  return ::CreateFontW(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

}  // namespace

HBRUSH PageBrush() { return ui::DarkDialogBrush(); }  // the colour of every dark dialog

HBRUSH FieldBrush() {
  static const win::UniqueGdiObject brush(::CreateSolidBrush(kFieldColour));
  return KeptBrush(brush);
}

HBRUSH AccentBrush() {
  static const win::UniqueGdiObject brush(::CreateSolidBrush(kAccentColour));
  return KeptBrush(brush);
}

HFONT DialogFont() {
  static const win::UniqueGdiObject font(MakeDialogFont());
  return static_cast<HFONT>(font.get());
}

int TextWidth(HFONT font, const wchar_t* text) {
  HDC screen = ::GetDC(nullptr);
  SIZE size = {};
  {
    win::ScopedSelectObject selected(screen, font);
    ::GetTextExtentPoint32W(screen, text, static_cast<int>(wcslen(text)), &size);
  }
  ::ReleaseDC(nullptr, screen);
  return size.cx;
}

}  // namespace mf::dialog

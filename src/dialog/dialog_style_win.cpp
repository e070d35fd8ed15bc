#include "dialog/dialog_style_win.h"

#include <algorithm>
#include <cstdint>

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
  const int length = static_cast<int>(wcslen(text));
  win::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!dc) return 0;
  win::ScopedSelectObject selectedFont(dc.get(), font);
  SIZE reported = {};
  TEXTMETRICW metrics = {};
  ::GetTextExtentPoint32W(dc.get(), text, length, &reported);
  ::GetTextMetricsW(dc.get(), &metrics);
  if (length == 0) return 0;

  // White on black into a bitmap wide enough for any overshoot; the rightmost column that
  // holds ink is where the text ends.
  constexpr int kMargin = 8;
  const int width = reported.cx + reported.cx / 4 + 4 * kMargin;
  const int height = metrics.tmHeight + 2 * kMargin;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  win::UniqueGdiObject bitmap(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return reported.cx;
  win::ScopedSelectObject selectedBitmap(dc.get(), bitmap.get());
  RECT all = {0, 0, width, height};
  ::FillRect(dc.get(), &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  ::SetTextColor(dc.get(), RGB(255, 255, 255));
  ::SetBkMode(dc.get(), TRANSPARENT);
  ::ExtTextOutW(dc.get(), kMargin, kMargin, 0, nullptr, text, static_cast<UINT>(length), nullptr);
  ::GdiFlush();

  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  for (int x = width - 1; x >= kMargin; --x)
    for (int y = 0; y < height; ++y)
      if (pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] & 0xFFFFFF)
        return std::max(static_cast<int>(reported.cx), x - kMargin + 1);
  return reported.cx;
}

}  // namespace mf::dialog

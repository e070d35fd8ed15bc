#pragma once
// GDI+ drawing of the title window, off-screen first and then copied in one go.
#include <windows.h>
#include <gdiplus.h>

#include <memory>

#include "app/menu.h"

namespace mf::app {

// The four fonts the title window uses, chosen once from the preferred families.
struct TitleWindowFonts {
  std::unique_ptr<Gdiplus::FontFamily> buttonFamily, textFamily;
  std::unique_ptr<Gdiplus::Font> button, banner, hint, version;

  static TitleWindowFonts Create();
};

struct TitleWindowScene {
  Gdiplus::Bitmap* background;  // may be null
  Gdiplus::Bitmap* logo;        // may be null
  const MenuItems* items;
  int focus;
  const TitleWindowFonts* fonts;
};

void PaintTitleWindow(HDC target, int clientWidth, int clientHeight, const TitleWindowScene& scene);

}  // namespace mf::app

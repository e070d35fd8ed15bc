#pragma once
// GDI+ drawing of the title window, off-screen first and then copied in one go.
#include <windows.h>
#include <gdiplus.h>

#include <memory>

#include "app/menu.h"
#include "ui/win_handles_win.h"

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
  HBITMAP backdrop;             // from DrawTitleBackdrop; may be null or of another size
  const MenuItems* items;
  int focus;
  const TitleWindowFonts* fonts;
};

void PaintTitleWindow(HDC target, int clientWidth, int clientHeight, const TitleWindowScene& scene);

// The first layers of the picture (background, bottom shade, logo), drawn exactly as
// PaintTitleWindow draws them, onto a bitmap like the one it paints on. Start-up makes it
// on another thread before the window exists, so painting begins with a copy. Null when
// GDI refuses.
win::UniqueGdiObject DrawTitleBackdrop(Gdiplus::Bitmap* background, Gdiplus::Bitmap* logo, int width, int height);

}  // namespace mf::app

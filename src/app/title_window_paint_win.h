#pragma once
// GDI+ drawing of the title window: off-screen first and then copied in one go, except
// for a frame that starts from the ready backdrop.
#include <windows.h>
#include <gdiplus.h>

#include <memory>
#include <string>

#include "app/menu.h"
#include "ui/win_handles_win.h"

namespace mf::app {

// The fonts the title window uses, from families chosen once in order of preference.
struct TitleWindowFonts {
  std::unique_ptr<Gdiplus::FontFamily> buttonFamily, textFamily;
  std::unique_ptr<Gdiplus::Font> banner, hint, version;
  // The buttons' labels at the size they share, and the labels that size was worked out
  // for: they change only with the interface language, so it is measured once per language.
  std::unique_ptr<Gdiplus::Font> buttonLabels;
  std::string buttonLabelsSizedFor;

  static TitleWindowFonts Create();
};

// The size at which PLAY, Settings and Exit (every item but the banner) are drawn: the
// largest at which each label fits its button, measured in the buttons' font family with the
// graphics that draws them.
float SharedButtonLabelSize(Gdiplus::Graphics& graphics, const Gdiplus::FontFamily& family, const MenuItems& items);

struct TitleWindowScene {
  Gdiplus::Bitmap* background;  // may be null
  Gdiplus::Bitmap* logo;        // may be null
  Gdiplus::Bitmap* backdrop;    // from DrawTitleBackdrop; may be null or of another size
  const MenuItems* items;
  int focus;
  TitleWindowFonts* fonts;      // keeps the buttons' shared label size between paints
};

void PaintTitleWindow(HDC target, int clientWidth, int clientHeight, const TitleWindowScene& scene);

// The first layers of the picture (background, bottom shade, logo), drawn exactly as
// PaintTitleWindow draws them, as an opaque bitmap of the given size. Start-up makes it on
// another thread before the window exists, so that the first paint begins with a copy; it
// needs no device context, so that thread never waits for the display driver the window's
// thread is starting. Null when GDI+ refuses.
std::unique_ptr<Gdiplus::Bitmap> DrawTitleBackdrop(Gdiplus::Bitmap* background, Gdiplus::Bitmap* logo, int width,
                                                   int height);

}  // namespace mf::app

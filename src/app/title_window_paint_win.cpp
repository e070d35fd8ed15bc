#include "app/title_window_paint_win.h"

#include <utility>
#include <vector>

#include "app/title_window_art.h"
#include "ui/gdiplus_win.h"
#include "ui/text_win.h"
#include "ui/win_handles_win.h"

namespace mf::app {
namespace {

using Gdiplus::Color;
using Gdiplus::RectF;

std::unique_ptr<Gdiplus::Font> MakeFont(const Gdiplus::FontFamily& family, const TextStyle& style) {
  return std::make_unique<Gdiplus::Font>(&family, style.pixelSize,
                                         style.bold ? Gdiplus::FontStyleBold : Gdiplus::FontStyleRegular,
                                         Gdiplus::UnitPixel);
}

// A closed path of four quarter arcs: top-left, top-right, bottom-right, bottom-left.
void AddRoundedRect(Gdiplus::GraphicsPath& path, float x, float y, float width, float height, float radius) {
  float diameter = radius * 2;
  path.AddArc(x, y, diameter, diameter, 180, 90);
  path.AddArc(x + width - diameter, y, diameter, diameter, 270, 90);
  path.AddArc(x + width - diameter, y + height - diameter, diameter, diameter, 0, 90);
  path.AddArc(x, y + height - diameter, diameter, diameter, 90, 90);
  path.CloseFigure();
}

Gdiplus::RectF ItemBox(const MenuItem& item) {
  return RectF(static_cast<float>(item.left), static_cast<float>(item.top), static_cast<float>(item.Width()),
               static_cast<float>(item.Height()));
}

// Centred on one line: a label never wraps, whatever font it is drawn in.
void DrawCentredText(Gdiplus::Graphics& graphics, const std::wstring& text, const Gdiplus::Font& font,
                     std::uint32_t colour, const MenuItem& item) {
  Gdiplus::StringFormat format(Gdiplus::StringFormatFlagsNoWrap);
  format.SetAlignment(Gdiplus::StringAlignmentCenter);
  format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  Gdiplus::SolidBrush brush{Color(colour)};
  graphics.DrawString(text.c_str(), static_cast<INT>(text.size()), &font, ItemBox(item), &format, &brush);
}

float MeasuredWidth(Gdiplus::Graphics& graphics, const std::wstring& text, const Gdiplus::Font& font) {
  Gdiplus::StringFormat format(Gdiplus::StringFormatFlagsNoWrap);
  RectF bounds;
  graphics.MeasureString(text.c_str(), static_cast<INT>(text.size()), &font, Gdiplus::PointF(0, 0), &format, &bounds);
  return bounds.Width;
}

bool IsButton(const MenuItem& item) { return item.action != MenuAction::InstallUpdate; }

// The labels the shared size was worked out for, in item order.
std::string ButtonLabelsOf(const MenuItems& items) {
  std::string labels;
  for (const MenuItem& item : items)
    if (IsButton(item)) labels += item.label + '\n';
  return labels;
}

// The buttons' label font at the size all three share, worked out again only when the labels
// have changed.
const Gdiplus::Font& ButtonLabelFont(Gdiplus::Graphics& graphics, const MenuItems& items, TitleWindowFonts& fonts) {
  std::string labels = ButtonLabelsOf(items);
  if (!fonts.buttonLabels || labels != fonts.buttonLabelsSizedFor) {
    float size = SharedButtonLabelSize(graphics, *fonts.buttonFamily, items);
    fonts.buttonLabels = MakeFont(*fonts.buttonFamily, {size, kButtonText.bold, kButtonText.colour});
    fonts.buttonLabelsSizedFor = std::move(labels);
  }
  return *fonts.buttonLabels;
}

// Copies an opaque bitmap drawn at its own size onto the graphics' device with GDI, which
// takes a fraction of a millisecond where GDI+ resamples every pixel (tens of
// milliseconds under Wine, and at every paint). False, drawing nothing, for a bitmap with
// alpha, another size, or pixels GDI+ will not lend.
bool CopyOpaqueBitmap(Gdiplus::Graphics& graphics, Gdiplus::Bitmap& bitmap, PixelRect at) {
  if (bitmap.GetPixelFormat() != PixelFormat32bppRGB || at.width != static_cast<int>(bitmap.GetWidth()) ||
      at.height != static_cast<int>(bitmap.GetHeight()))
    return false;
  Gdiplus::Rect whole(0, 0, at.width, at.height);
  Gdiplus::BitmapData pixels = {};
  if (bitmap.LockBits(&whole, Gdiplus::ImageLockModeRead, PixelFormat32bppRGB, &pixels) != Gdiplus::Ok) return false;
  BITMAPINFO layout = {};
  layout.bmiHeader.biSize = sizeof layout.bmiHeader;
  layout.bmiHeader.biWidth = pixels.Stride / 4;
  layout.bmiHeader.biHeight = -at.height;  // rows top to bottom
  layout.bmiHeader.biPlanes = 1;
  layout.bmiHeader.biBitCount = 32;
  layout.bmiHeader.biCompression = BI_RGB;
  bool copied = false;
  if (pixels.Stride > 0 && pixels.Stride % 4 == 0) {
    HDC device = graphics.GetHDC();
    if (device) {
      copied = ::SetDIBitsToDevice(device, at.x, at.y, at.width, at.height, 0, 0, 0, at.height, pixels.Scan0,
                                   &layout, DIB_RGB_COLORS) == at.height;
      graphics.ReleaseHDC(device);
    }
  }
  bitmap.UnlockBits(&pixels);
  return copied;
}

void DrawBackground(Gdiplus::Graphics& graphics, int width, int height, Gdiplus::Bitmap* background) {
  if (!background) {
    Gdiplus::SolidBrush fill{Color(kBackgroundFill)};
    graphics.FillRectangle(&fill, 0, 0, width, height);
    return;
  }
  PixelRect at = CoverPlacement(width, height, static_cast<int>(background->GetWidth()),
                                static_cast<int>(background->GetHeight()));
  if (!CopyOpaqueBitmap(graphics, *background, at)) graphics.DrawImage(background, at.x, at.y, at.width, at.height);
}

void DrawBottomShade(Gdiplus::Graphics& graphics, int width, int height) {
  int top = height - kBottomShadeHeight;
  Gdiplus::LinearGradientBrush shade(Gdiplus::Point(0, top), Gdiplus::Point(0, height), Color(kBottomShadeTop),
                                     Color(kBottomShadeBottom));
  graphics.FillRectangle(&shade, 0, top, width, kBottomShadeHeight);
}

void DrawLogo(Gdiplus::Graphics& graphics, int width, int height, Gdiplus::Bitmap* logo) {
  if (!logo) return;
  PixelRect at =
      LogoPlacement(width, height, static_cast<int>(logo->GetWidth()), static_cast<int>(logo->GetHeight()));
  graphics.DrawImage(logo, at.x, at.y, at.width, at.height);
}

void DrawHintAndVersion(Gdiplus::Graphics& graphics, int width, int height, const TitleWindowFonts& fonts) {
  std::wstring hint = ui::TrWide(kControlHint);
  Gdiplus::SolidBrush hintBrush{Color(kHintText.colour)};
  graphics.DrawString(hint.c_str(), static_cast<INT>(hint.size()), fonts.hint.get(),
                      Gdiplus::PointF(static_cast<float>(kHintX), static_cast<float>(height - kHintFromBottom)),
                      &hintBrush);

  std::wstring version = ui::Utf8ToWide(VersionLineText());
  Gdiplus::SolidBrush versionBrush{Color(kVersionText.colour)};
  Gdiplus::StringFormat rightAligned;
  rightAligned.SetAlignment(Gdiplus::StringAlignmentFar);
  RectF box(0, static_cast<float>(kVersionLineTop), static_cast<float>(width - kVersionLineRightMargin),
            static_cast<float>(kVersionLineHeight));
  graphics.DrawString(version.c_str(), static_cast<INT>(version.size()), fonts.version.get(), box, &rightAligned,
                      &versionBrush);
}

void DrawButton(Gdiplus::Graphics& graphics, const MenuItem& item, bool focused, const Gdiplus::Font& label) {
  ButtonColours colours = ButtonColoursFor(item, focused);
  Gdiplus::SolidBrush fill{Color(colours.fill)};
  graphics.FillRectangle(&fill, item.left, item.top, item.Width(), item.Height());
  Gdiplus::Pen border(Color(colours.border), kButtonBorderWidth);
  graphics.DrawRectangle(&border, item.left, item.top, item.Width(), item.Height());
  DrawCentredText(graphics, ui::Utf8ToWide(item.label), label, kButtonText.colour, item);
}

void DrawBanner(Gdiplus::Graphics& graphics, const MenuItem& item, bool focused, const TitleWindowFonts& fonts) {
  BannerLook look = BannerLookFor(item.hovered || item.pressed || focused);
  float x = static_cast<float>(item.left), y = static_cast<float>(item.top);
  float width = static_cast<float>(item.Width()), height = static_cast<float>(item.Height());
  float radius = height / 2;

  for (int k = 5; k >= 1; --k) {
    Gdiplus::GraphicsPath glow;
    AddRoundedRect(glow, x - k, y - k, width + 2 * k, height + 2 * k, radius + k);
    Gdiplus::SolidBrush glowBrush{Color(look.glow[5 - k])};
    graphics.FillPath(&glowBrush, &glow);
  }

  Gdiplus::GraphicsPath body;
  AddRoundedRect(body, x, y, width, height, radius);
  Gdiplus::LinearGradientBrush bodyBrush(RectF(x, y, width, height), Color(look.bodyTop), Color(look.bodyBottom),
                                         Gdiplus::LinearGradientModeVertical);
  graphics.FillPath(&bodyBrush, &body);
  Gdiplus::Pen outline(Color(look.outline), kBannerOutlineWidth);
  graphics.DrawPath(&outline, &body);

  DrawCentredText(graphics, ui::Utf8ToWide(item.label), *fonts.banner, kBannerText.colour, item);
}

// Every paint draws with these settings.
void SetUpGraphics(Gdiplus::Graphics& graphics) {
  graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
}

void DrawBackdropLayers(Gdiplus::Graphics& graphics, int width, int height, Gdiplus::Bitmap* background,
                        Gdiplus::Bitmap* logo) {
  DrawBackground(graphics, width, height, background);
  DrawBottomShade(graphics, width, height);
  DrawLogo(graphics, width, height, logo);
}

bool HasSize(Gdiplus::Bitmap* bitmap, int width, int height) {
  return bitmap && static_cast<int>(bitmap->GetWidth()) == width && static_cast<int>(bitmap->GetHeight()) == height;
}

// The hint, the version line and the items, over whatever is already drawn.
void DrawForeground(Gdiplus::Graphics& graphics, int width, int height, const TitleWindowScene& scene) {
  DrawHintAndVersion(graphics, width, height, *scene.fonts);
  const MenuItems& items = *scene.items;
  for (size_t i = 0; i < items.size(); ++i) {
    bool focused = static_cast<int>(i) == scene.focus;
    if (IsButton(items[i]))
      DrawButton(graphics, items[i], focused, ButtonLabelFont(graphics, items, *scene.fonts));
    else
      DrawBanner(graphics, items[i], focused, *scene.fonts);
  }
}

}  // namespace

float SharedButtonLabelSize(Gdiplus::Graphics& graphics, const Gdiplus::FontFamily& family, const MenuItems& items) {
  std::vector<std::wstring> labels;
  std::vector<float> available;
  for (const MenuItem& item : items) {
    if (!IsButton(item)) continue;
    labels.push_back(ui::Utf8ToWide(item.label));
    available.push_back(static_cast<float>(item.Width() - 2 * kButtonTextPadding));
  }
  return SharedFittingTextSize(kButtonText.pixelSize, kSmallestButtonTextSize, available, [&](int label, float size) {
    return MeasuredWidth(graphics, labels[static_cast<size_t>(label)],
                         *MakeFont(family, {size, kButtonText.bold, kButtonText.colour}));
  });
}

TitleWindowFonts TitleWindowFonts::Create() {
  TitleWindowFonts fonts;
  fonts.buttonFamily = ui::ChooseFontFamily(ButtonFontFamilies());
  fonts.textFamily = ui::ChooseFontFamily(TextFontFamilies());
  fonts.banner = MakeFont(*fonts.buttonFamily, kBannerText);
  fonts.hint = MakeFont(*fonts.textFamily, kHintText);
  fonts.version = MakeFont(*fonts.textFamily, kVersionText);
  return fonts;
}

void PaintTitleWindow(HDC target, int width, int height, const TitleWindowScene& scene) {
  if (width <= 0 || height <= 0) return;
  // With the backdrop ready, the frame is the backdrop copied in with a few texts and frames
  // drawn over it, straight onto the target: it builds up within a few milliseconds, and a
  // fresh off-screen bitmap of the window's size would cost as much as drawing the frame
  // (its pages are touched for the first time; under Wine, about 10 ms).
  if (HasSize(scene.backdrop, width, height)) {
    Gdiplus::Graphics graphics(target);
    SetUpGraphics(graphics);
    if (CopyOpaqueBitmap(graphics, *scene.backdrop, {0, 0, width, height})) {
      DrawForeground(graphics, width, height, scene);
      return;
    }
  }
  win::UniqueMemoryDc memoryDc(::CreateCompatibleDC(target));
  win::UniqueGdiObject bitmap(::CreateCompatibleBitmap(target, width, height));
  if (!memoryDc || !bitmap) return;
  {
    win::ScopedSelectObject selected(memoryDc.get(), bitmap.get());
    {
      Gdiplus::Graphics graphics(memoryDc.get());
      SetUpGraphics(graphics);
      DrawBackdropLayers(graphics, width, height, scene.background, scene.logo);
      DrawForeground(graphics, width, height, scene);
    }
    ::BitBlt(target, 0, 0, width, height, memoryDc.get(), 0, 0, SRCCOPY);
  }
}

std::unique_ptr<Gdiplus::Bitmap> DrawTitleBackdrop(Gdiplus::Bitmap* background, Gdiplus::Bitmap* logo, int width,
                                                   int height) {
  // An opaque background of the window's size is the first layer as it stands: it is copied
  // rather than drawn.
  std::unique_ptr<Gdiplus::Bitmap> backdrop;
  bool backgroundCopied = false;
  if (HasSize(background, width, height) && background->GetPixelFormat() == PixelFormat32bppRGB) {
    backdrop.reset(background->Clone(0, 0, width, height, PixelFormat32bppRGB));
    backgroundCopied = backdrop && backdrop->GetLastStatus() == Gdiplus::Ok;
  }
  if (!backgroundCopied) backdrop = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppRGB);
  if (backdrop->GetLastStatus() != Gdiplus::Ok) return nullptr;
  Gdiplus::Graphics graphics(backdrop.get());
  SetUpGraphics(graphics);
  if (!backgroundCopied) DrawBackground(graphics, width, height, background);
  DrawBottomShade(graphics, width, height);
  DrawLogo(graphics, width, height, logo);
  if (graphics.GetLastStatus() != Gdiplus::Ok) return nullptr;
  return backdrop;
}

}  // namespace mf::app

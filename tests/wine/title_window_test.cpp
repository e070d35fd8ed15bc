// The title window run inside the test: the test thread plays the release check, which
// publishes an update offer and posts its message, and then the player, who tabs to the
// banner. The window runs the launcher's own message loop on a thread of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <future>
#include <memory>
#include <optional>
#include <thread>

#include "app/menu.h"
#include "app/title_images_win.h"
#include "app/title_window_art.h"
#include "app/title_window_geometry.h"
#include "app/title_window_paint_win.h"
#include "i18n/translate.h"
#include "i18n/utf16_win.h"
#include "app/title_window_win.h"
#include "ui/gdiplus_win.h"
#include "update/update_offer.h"
#include "wine_test_support.h"

namespace mf::test {
namespace {

class TitleWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gdiplus_.ok());
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    // This test program carries no pictures: the window must manage without them.
    images_.background = app::LoadImageResource(instance, 200);
    images_.logo = app::LoadImageResource(instance, 201);
    ASSERT_FALSE(images_.background);

    std::promise<HWND> created;
    std::future<HWND> window = created.get_future();
    uiThread_ = std::thread([this, instance, &created] {
      app::TitleWindow titleWindow(images_);
      HWND handle = titleWindow.Create(instance);
      if (handle) {
        ::ShowWindow(handle, SW_SHOWNORMAL);
        ::UpdateWindow(handle);
      }
      created.set_value(handle);
      if (handle) app::RunMessageLoop(handle);
    });
    window_ = window.get();
    ASSERT_NE(window_, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return CaptureClient(window_).MaxBrightness(816, 652, 956, 696) > 200; }));
  }

  void TearDown() override {
    if (window_) ::PostMessageW(window_, WM_CLOSE, 0, 0);
    if (uiThread_.joinable()) uiThread_.join();
    update::CurrentUpdateOffer().available = false;
  }

  void PublishOffer(const std::string& tag) {
    update::UpdateOffer& offer = update::CurrentUpdateOffer();
    offer.tag = tag;
    offer.zipUrl = "https://127.0.0.1/mirefall.zip";
    offer.available.store(true, std::memory_order_release);
    ::PostMessageW(window_, app::kUpdateOfferPublishedMessage, 0, 0);
  }

  bool BannerShown() {
    Capture capture = CaptureClient(window_);
    // Without the banner the top of the window is the plain dark fill.
    return capture.MaxBrightness(kBannerLeft + 60, kBannerTop + 10, kBannerRight - 60, kBannerBottom - 10) > 150;
  }

  ui::GdiplusSession gdiplus_;
  app::LauncherImages images_;
  std::thread uiThread_;
  HWND window_ = nullptr;
};

TEST_F(TitleWindowTest, BannerAppearsOnceTheOfferIsPublished) {
  EXPECT_FALSE(BannerShown());
  PublishOffer("v2.1.0");
  EXPECT_TRUE(WaitUntil([&] { return BannerShown(); }));
}

TEST_F(TitleWindowTest, TabReachesTheBannerAsAFourthItem) {
  PublishOffer("v2.1.0");
  ASSERT_TRUE(WaitUntil([&] { return BannerShown(); }));
  EXPECT_GT(BannerOutlineRedness(CaptureClient(window_)), 30) << "idle banner has a red outline";

  for (int i = 0; i < 3; ++i) PostKey(window_, VK_TAB);
  EXPECT_TRUE(WaitUntil([&] { return BannerOutlineRedness(CaptureClient(window_)) < 10; }))
      << "the third Tab from PLAY focuses the banner";

  PostKey(window_, VK_TAB);
  EXPECT_TRUE(WaitUntil([&] { return BannerOutlineRedness(CaptureClient(window_)) > 30; }))
      << "the fourth Tab wraps back to PLAY";
  EXPECT_GT(CaptureClient(window_).MaxBrightness(815, 660, 818, 690), 230) << "PLAY is focused again";
}

// PLAY, Settings and Exit are drawn at one size, the largest at which each fits its button
// in the font the fallback chose. Under the fonts Wine and Proton have (no Bahnschrift, no
// Segoe UI) «Налаштування» does not fit at 18 pixels, so in Ukrainian all three are smaller.
TEST(TitleButtonLabels, ShareTheLargestSizeAtWhichEveryLabelFits) {
  ui::GdiplusSession gdiplus;
  ASSERT_TRUE(gdiplus.ok());
  std::unique_ptr<Gdiplus::FontFamily> family = ui::ChooseFontFamily(app::ButtonFontFamilies());
  HDC screen = ::GetDC(nullptr);
  float sizes[2] = {};
  for (auto language : {i18n::UiLanguage::English, i18n::UiLanguage::Ukrainian}) {
    i18n::SetUiLanguage(language);
    SCOPED_TRACE(static_cast<int>(language));
    {
      Gdiplus::Graphics graphics(screen);
      graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
      app::MenuItems items = app::LayoutMenu(1280, 720, std::nullopt);
      ASSERT_EQ(items.size(), 3u);
      float size = app::SharedButtonLabelSize(graphics, *family, items);
      sizes[static_cast<int>(language)] = size;
      auto widestOverflow = [&](float pixels) {  // how far the widest label overflows its room
        Gdiplus::Font font(family.get(), pixels, Gdiplus::FontStyleBold, Gdiplus::UnitPixel);
        Gdiplus::StringFormat format(Gdiplus::StringFormatFlagsNoWrap);
        float worst = -1000;
        for (const app::MenuItem& item : items) {
          std::wstring text = i18n::Utf8ToWide(item.label);
          Gdiplus::RectF bounds;
          graphics.MeasureString(text.c_str(), static_cast<INT>(text.size()), &font, Gdiplus::PointF(0, 0), &format,
                                 &bounds);
          worst = std::max(worst, bounds.Width - static_cast<float>(item.Width() - 2 * app::kButtonTextPadding));
        }
        return worst;
      };
      EXPECT_LE(widestOverflow(size), 0.0f) << "a label is wider than its button at " << size;
      if (size < app::kButtonText.pixelSize) {
        EXPECT_GT(widestOverflow(size + 1), 0.0f) << "a larger size fits";
      }
    }
  }
  ::ReleaseDC(nullptr, screen);
  i18n::SetUiLanguage(i18n::UiLanguage::English);
  EXPECT_EQ(sizes[0], app::kButtonText.pixelSize) << "PLAY, Settings and Exit fit at 18 pixels";
  EXPECT_LT(sizes[1], app::kButtonText.pixelSize) << "«Налаштування» fits at 18 pixels under Wine's fonts";
  EXPECT_GE(sizes[1], app::kSmallestButtonTextSize);
}

// A picture of the window's size with every kind of pixel the title screen has: an opaque
// background with detail everywhere, and a logo with soft, half-transparent edges.
std::unique_ptr<Gdiplus::Bitmap> MakeTestPicture(int width, int height, bool opaque) {
  auto picture = std::make_unique<Gdiplus::Bitmap>(width, height, opaque ? PixelFormat32bppRGB : PixelFormat32bppPARGB);
  Gdiplus::Graphics graphics(picture.get());
  graphics.Clear(Gdiplus::Color(opaque ? 255 : 0, 0, 0, 0));
  for (int band = 0; band < 16; ++band) {
    Gdiplus::SolidBrush brush(Gdiplus::Color(opaque ? 255 : static_cast<BYTE>(band * 16), static_cast<BYTE>(band * 15),
                                             static_cast<BYTE>(200 - band * 9), static_cast<BYTE>(40 + band * 12)));
    graphics.FillEllipse(&brush, band * width / 20, band * height / 24, width / 3, height / 3);
  }
  return picture;
}

// The first frame is the backdrop copied in with the texts and buttons drawn over it; every
// later paint draws every layer. A player must not see the picture change when the first
// repaint comes (a hover, a focus move).
TEST(TitleWindowPaint, FirstFrameFromTheBackdropLooksLikeEveryLaterPaint) {
  ui::GdiplusSession gdiplus;
  ASSERT_TRUE(gdiplus.ok());
  constexpr int kWidth = app::kClientWidth, kHeight = app::kClientHeight;
  auto background = MakeTestPicture(kWidth, kHeight, true);
  auto logo = MakeTestPicture(537, 300, false);
  std::unique_ptr<Gdiplus::Bitmap> backdrop = app::DrawTitleBackdrop(background.get(), logo.get(), kWidth, kHeight);
  ASSERT_TRUE(backdrop);
  app::TitleWindowFonts fonts = app::TitleWindowFonts::Create();
  app::MenuItems items = app::LayoutMenu(kWidth, kHeight, std::nullopt);

  auto paint = [&](Gdiplus::Bitmap* withBackdrop) {
    return DrawIntoBitmap(kWidth, kHeight, [&](HDC dc) {
      app::PaintTitleWindow(dc, kWidth, kHeight, {background.get(), logo.get(), withBackdrop, &items, 0, &fonts});
    });
  };
  Capture first = paint(backdrop.get()), later = paint(nullptr);
  int worst = 0, differing = 0;
  for (size_t i = 0; i < first.pixels.size(); ++i) {
    std::uint32_t a = first.pixels[i], b = later.pixels[i];
    int difference = std::max({std::abs(Red(a) - Red(b)), std::abs(Green(a) - Green(b)), std::abs(Blue(a) - Blue(b))});
    worst = std::max(worst, difference);
    if (difference) ++differing;
  }
  EXPECT_LE(worst, 1) << differing << " pixels differ";
}

}  // namespace
}  // namespace mf::test

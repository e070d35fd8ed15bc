// The title window run inside the test: the test thread plays the release check, which
// publishes an update offer and posts its message, and then the player, who tabs to the
// banner. The window runs the launcher's own message loop on a thread of its own.
#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "app/title_images_win.h"
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

}  // namespace
}  // namespace mf::test

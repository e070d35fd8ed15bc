// The title screen as a player sees it: the launcher's window captured from the screen.
#include <gtest/gtest.h>

#include <cstdlib>

#include "wine_test_support.h"

namespace mf::test {
namespace {

struct ButtonBox {
  int left, top, right, bottom;
};
// Where PLAY, Settings and Exit sit in the 1280 x 720 client area.
constexpr ButtonBox kButtons[] = {{816, 652, 956, 696}, {966, 652, 1106, 696}, {1116, 652, 1256, 696}};

// Mean per-channel difference between the capture and the picture over a region.
double MeanDifference(const Capture& shown, const Capture& picture, int left, int top, int right, int bottom) {
  long long sum = 0, count = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) {
      std::uint32_t a = shown.At(x, y), b = picture.At(x, y);
      sum += std::abs(Red(a) - Red(b)) + std::abs(Green(a) - Green(b)) + std::abs(Blue(a) - Blue(b));
      count += 3;
    }
  return static_cast<double>(sum) / count;
}

// The brightest pixel on a button's left border.
int BorderBrightness(const Capture& capture, const ButtonBox& box) {
  return capture.MaxBrightness(box.left - 1, box.top + 8, box.left + 2, box.bottom - 8);
}

class TitleScreenTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_.AddProgram(L"PlayMirefall.exe", L"PlayMirefall.exe");
    RunningLauncher launcher = StartLauncher(folder_);
    launcher_ = std::move(launcher.process);
    window_ = launcher.window;
    ASSERT_NE(window_, nullptr);
    // Painted once the buttons show on screen.
    ASSERT_TRUE(WaitUntil([&] {
      capture_ = CaptureClient(window_);
      return capture_.width == 1280 && BorderBrightness(capture_, kButtons[0]) > 200;
    }));
  }

  void TearDown() override {
    if (window_) PostKey(window_, VK_ESCAPE);
    if (launcher_) {
      EXPECT_EQ(launcher_->WaitForExit(), 0u);
    }
  }

  TempGameFolder folder_;
  std::unique_ptr<ChildProcess> launcher_;
  HWND window_ = nullptr;
  Capture capture_;
};

TEST_F(TitleScreenTest, BackgroundPictureFillsTheWindow) {
  Capture picture = LoadPng(BuildOutputFolder() / "test_background.png");
  ASSERT_EQ(picture.width, 1280);
  ASSERT_EQ(picture.height, 720);
  // The sky and the mire, away from the logo, the version line and the bottom shade.
  EXPECT_LT(MeanDifference(capture_, picture, 640, 40, 1280, 560), 4.0);
  EXPECT_LT(MeanDifference(capture_, picture, 0, 300, 640, 560), 4.0);
}

TEST_F(TitleScreenTest, LogoShowsTopLeft) {
  Capture picture = LoadPng(BuildOutputFolder() / "test_background.png");
  // The logo spans 42% of the width from (51, 43): the picture there is dark and calm, the
  // logo's letters are bright.
  EXPECT_GT(capture_.MaxBrightness(60, 50, 580, 200), picture.MaxBrightness(60, 50, 580, 200) + 60);
}

TEST_F(TitleScreenTest, ButtonsSitWhereTheLayoutPutsThem) {
  for (const ButtonBox& box : kButtons) {
    // A dark fill inside, a light border around it, the labels in light text.
    EXPECT_LT(capture_.MeanBrightness(box.left + 4, box.top + 4, box.left + 20, box.bottom - 4), 70);
    EXPECT_GT(BorderBrightness(capture_, box), 180);
    EXPECT_GT(capture_.MaxBrightness(box.left + 30, box.top + 10, box.right - 30, box.bottom - 10), 200);
  }
  // The gaps between buttons and the band above them are the shaded picture, not a border.
  EXPECT_LT(capture_.MaxBrightness(958, 660, 964, 690), 120);
  EXPECT_LT(capture_.MaxBrightness(816, 630, 1256, 646), 120);
}

TEST_F(TitleScreenTest, FocusedButtonHasTheBrighterBorder) {
  int play = BorderBrightness(capture_, kButtons[0]);
  int settings = BorderBrightness(capture_, kButtons[1]);
  int exit = BorderBrightness(capture_, kButtons[2]);
  EXPECT_GE(play, 230) << "PLAY is focused at start";
  EXPECT_GE(play - settings, 25);
  EXPECT_GE(play - exit, 25);

  PostKey(window_, VK_TAB);
  ASSERT_TRUE(WaitUntil([&] {
    capture_ = CaptureClient(window_);
    return BorderBrightness(capture_, kButtons[1]) >= 230;
  }));
  EXPECT_GE(BorderBrightness(capture_, kButtons[1]) - BorderBrightness(capture_, kButtons[0]), 25);
}

TEST_F(TitleScreenTest, HoverLightsAButtonUntilThePointerLeaves) {
  ::PostMessageW(window_, WM_MOUSEMOVE, 0, MAKELPARAM(1186, 674));  // over Exit
  EXPECT_TRUE(WaitUntil([&] { return BorderBrightness(CaptureClient(window_), kButtons[2]) >= 230; }));
  EXPECT_GE(BorderBrightness(CaptureClient(window_), kButtons[0]), 230) << "PLAY keeps its focus";
  ::PostMessageW(window_, WM_MOUSELEAVE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return BorderBrightness(CaptureClient(window_), kButtons[2]) < 215; }));
}

TEST_F(TitleScreenTest, HintAndVersionLineAreWritten) {
  // "D-Pad: Select Option   A: Confirm" from (20, 688); the version line right-aligned at the top.
  EXPECT_GT(capture_.MaxBrightness(20, 688, 260, 706), 150);
  EXPECT_GT(capture_.MaxBrightness(900, 12, 1260, 30), 110);
}

}  // namespace
}  // namespace mf::test

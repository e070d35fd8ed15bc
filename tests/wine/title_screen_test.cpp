// The title screen as a player sees it: the launcher's window captured from the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

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

// The rows spanned by a label's first letter. Every label, in English and in Ukrainian,
// begins with a capital, so labels drawn at one size have first letters of one height.
int FirstLetterHeight(const Capture& capture, const ButtonBox& box) {
  constexpr int kLit = 150;
  const int left = box.left + 3, right = box.right - 3, top = box.top + 3, bottom = box.bottom - 3;
  auto columnLit = [&](int x) { return capture.MaxBrightness(x, top, x + 1, bottom) > kLit; };
  int x = left;
  while (x < right && !columnLit(x)) ++x;
  const int first = x;
  while (x < right && columnLit(x)) ++x;
  int highest = bottom, lowest = top - 1;
  for (int y = top; y < bottom; ++y)
    if (capture.MaxBrightness(first, y, x, y + 1) > kLit) highest = std::min(highest, y), lowest = std::max(lowest, y);
  return lowest - highest + 1;
}

// PLAY, Settings and Exit look like one row: their first letters are of one height (a round
// letter may reach a row further than a flat one).
void ExpectOneLabelSize(const Capture& capture) {
  int heights[3] = {};
  for (int i = 0; i < 3; ++i) heights[i] = FirstLetterHeight(capture, kButtons[i]);
  EXPECT_GT(heights[0], 6) << "PLAY's first letter is drawn";
  auto [lowest, highest] = std::minmax({heights[0], heights[1], heights[2]});
  EXPECT_LE(highest - lowest, 1) << "first letters " << heights[0] << ", " << heights[1] << " and " << heights[2]
                                 << " rows high: the labels are drawn at different sizes";
}

// The title screen once a whole frame with its buttons drawn is on the screen.
Capture CaptureTitleScreen(HWND window) {
  return CaptureSettled(window, [](const Capture& shown) {
    return shown.width == 1280 && BorderBrightness(shown, kButtons[0]) > 200;
  });
}

class TitleScreenTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_.AddProgram(L"PlayMirefall.exe", L"PlayMirefall.exe");
    RunningLauncher launcher = StartLauncher(folder_);
    launcher_ = std::move(launcher.process);
    window_ = launcher.window;
    ASSERT_NE(window_, nullptr);
    capture_ = CaptureTitleScreen(window_);
    ASSERT_EQ(capture_.width, 1280) << "no finished title screen on the screen";
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
  SaveArtefactPng(capture_, L"title-en");
  ExpectOneLabelSize(capture_);
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
  capture_ = CaptureSettled(window_, [](const Capture& shown) { return BorderBrightness(shown, kButtons[1]) >= 230; });
  ASSERT_GT(capture_.width, 0) << "Settings never showed its focus";
  EXPECT_GE(BorderBrightness(capture_, kButtons[1]) - BorderBrightness(capture_, kButtons[0]), 25);
}

TEST_F(TitleScreenTest, HoverLightsAButtonUntilThePointerLeaves) {
  ::PostMessageW(window_, WM_MOUSEMOVE, 0, MAKELPARAM(1186, 674));  // over Exit
  capture_ = CaptureSettled(window_, [](const Capture& shown) { return BorderBrightness(shown, kButtons[2]) >= 230; });
  ASSERT_GT(capture_.width, 0) << "Exit never lit up";
  EXPECT_GE(BorderBrightness(capture_, kButtons[0]), 230) << "PLAY keeps its focus";
  ::PostMessageW(window_, WM_MOUSELEAVE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return BorderBrightness(CaptureClient(window_), kButtons[2]) < 215; }));
}

TEST_F(TitleScreenTest, HintAndVersionLineAreWritten) {
  // "D-Pad: Select Option   A: Confirm" from (20, 688); the version line right-aligned at the top.
  EXPECT_GT(capture_.MaxBrightness(20, 688, 260, 706), 150);
  EXPECT_GT(capture_.MaxBrightness(900, 12, 1260, 30), 110);
}

// Settings opens the settings dialog over the title window, by Enter, by Space and by a
// click; closing it leaves the title window running.
TEST_F(TitleScreenTest, SettingsOpensTheSettingsDialog) {
  auto openAndClose = [&](const char* how, const std::function<void()>& open) {
    SCOPED_TRACE(how);
    open();
    HWND dialog = WaitForProcessWindow(launcher_->id(), L"#32770", L"Mirefall");
    ASSERT_TRUE(dialog) << "no settings dialog";
    EXPECT_EQ(::GetWindow(dialog, GW_OWNER), window_);
    EXPECT_FALSE(::IsWindowEnabled(window_)) << "the dialog is modal";
    PostKey(dialog, VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog) && ::IsWindowEnabled(window_); }));
  };
  openAndClose("Enter", [&] {
    PostKey(window_, VK_TAB);
    PostKey(window_, VK_RETURN);
  });
  openAndClose("Space", [&] { PostKey(window_, VK_SPACE); });
  openAndClose("click", [&] { PostClick(window_, 1036, 674); });
  EXPECT_TRUE(launcher_->running());
}

// The rows of a capture, within a box, that hold a pixel brighter than the threshold.
int BrightRows(const Capture& capture, const ButtonBox& box, int inset, int threshold) {
  int rows = 0;
  for (int y = box.top + inset; y < box.bottom - inset; ++y)
    if (capture.MaxBrightness(box.left + inset, y, box.right - inset, y + 1) > threshold) ++rows;
  return rows;
}

// In Ukrainian, under the fonts Wine and Proton have (no Bahnschrift, no Segoe UI), every
// label is drawn on one line and inside its button: «Налаштування» too.
TEST(TitleScreenUkrainian, EveryLabelOnOneLineInsideItsButton) {
  TempGameFolder folder;
  folder.AddProgram(L"PlayMirefall.exe", L"PlayMirefall.exe");
  folder.WriteFile("launcher.ini", "launcher_language = uk\r\n");
  RunningLauncher launcher = StartLauncher(folder);  // answers the start-up offers
  HWND window = launcher.window;
  ASSERT_TRUE(window);
  Capture capture = CaptureTitleScreen(window);
  ASSERT_EQ(capture.width, 1280) << "no finished title screen on the screen";
  SaveArtefactPng(capture, L"title-uk");
  ExpectOneLabelSize(capture);
  for (const ButtonBox& box : kButtons) {
    // Inside the border: the label's light pixels.
    int width = box.right - box.left;
    int textWidth = capture.BrightSpan(box.left + 3, box.top + 3, box.right - 3, box.bottom - 3, 200);
    EXPECT_GT(textWidth, 20) << "a label is drawn";
    EXPECT_LE(textWidth, width - 12) << "the label fits inside its button";
    EXPECT_LE(BrightRows(capture, box, 3, 200), 24) << "the label is one line";
  }
  EXPECT_EQ(CloseLauncher(launcher), 0u);
}

}  // namespace
}  // namespace mf::test

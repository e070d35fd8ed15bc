// The real PlayMirefall.exe driven by a controller alone. A stand-in xinput9_1_0.dll of our
// own sits beside the launcher (Wine told to prefer it over its built-in copy) and plays back
// the controller states this test appends to a script; the test then waits for what a
// player would see: a window, a tab, a tick, a file, the launcher ending.
#include <gtest/gtest.h>

#include <fstream>

#include "wine_test_support.h"  // windows.h before commctrl.h

#include <commctrl.h>

#include "app/pad_navigation.h"
#include "update/update_paths.h"

namespace mf::test {
namespace {

using app::kPadA;
using app::kPadB;
using app::kPadDpadDown;
using app::kPadDpadLeft;
using app::kPadDpadRight;
using app::kPadRightShoulder;

// A controller in slot 0 whose states the test scripts. Wine reads its DLL load order from the
// Unix environment a process starts with, not from the Windows environment a parent hands
// on, so CTest starts this test with "xinput9_1_0=n,b" in WINEDLLOVERRIDES; a launcher
// folder without the stand-in then gets Wine's own XInput as usual.
class ScriptedPad {
 public:
  explicit ScriptedPad(TempGameFolder& folder)
      : script_(folder.path() / "pad-script.txt"),
        scriptVariable_(L"MF_PAD_SCRIPT", script_.wstring()) {
    std::filesystem::copy_file(BuildOutputFolder() / "xinput-stand-in" / "xinput9_1_0.dll",
                               folder.path() / "xinput9_1_0.dll");
    std::ofstream(script_, std::ios::trunc) << "# polls buttons stick-x stick-y\n";
  }

  // A button (or d-pad direction) pressed for two readings, then let go.
  void Press(std::uint16_t buttons) { Append(2, buttons, 0, 0); }
  // The left stick pushed for some readings, then let go.
  void Push(int x, int y, int polls) {
    Append(polls, 0, x, y);
  }
  // How many script lines the launcher has read, as the stand-in reports it.
  std::string Progress() const {
    std::ifstream in(std::filesystem::path(script_.wstring() + L".done"));
    std::string done;
    std::getline(in, done);
    return "pad script: " + std::to_string(steps_) + " steps appended, " + (done.empty() ? "none" : done) +
           " read";
  }
  // Waits until the launcher has read everything appended so far.
  bool WaitUntilRead() {
    return WaitUntil([&] {
      std::ifstream in(std::filesystem::path(script_.wstring() + L".done"));
      int done = 0;
      return in >> done && done >= steps_;
    });
  }

 private:
  void Append(int polls, std::uint16_t buttons, int x, int y) {
    std::ofstream out(script_, std::ios::app);
    out << polls << ' ' << std::hex << buttons << std::dec << ' ' << x << ' ' << y << "\n1 0 0 0\n";
    steps_ += 2;
  }

  std::filesystem::path script_;
  ScopedEnvironmentVariable scriptVariable_;
  int steps_ = 0;
};

HWND FocusOf(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  return ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

int DialogId(HWND control) { return control ? ::GetDlgCtrlID(control) : -1; }

std::wstring ClassOf(HWND window) { return window ? WindowClass(window) : L""; }

// A control's text in another process (WM_GETTEXT is carried across processes).
std::wstring TextOf(HWND control) {
  wchar_t text[256] = {};
  ::SendMessageW(control, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
  return text;
}

class GamepadTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_.AddProgram(L"PlayMirefall.exe", L"PlayMirefall.exe");
    folder_.WriteFile("launcher.ini", kStartupOffersAnswered);
    folder_.WriteFile("mirefall.toml", "vsync = true\r\n");
  }
  HWND StartToTitleWindow() {
    launcher_ = StartLauncherProcess(folder_);
    return WaitForProcessWindow(launcher_->id(), L"MFLauncherWindow");
  }

  TempGameFolder folder_;
  ScriptedPad pad_{folder_};
  std::unique_ptr<ChildProcess> launcher_;
};

TEST_F(GamepadTest, TitleWindowOpensSettingsWhereThePadEditsAndBCancels) {
  HWND title = StartToTitleWindow();
  ASSERT_TRUE(title);
  std::optional<std::string> configBefore = folder_.ReadFile("mirefall.toml");
  std::optional<std::string> prefsBefore = folder_.ReadFile("launcher.ini");

  pad_.Press(kPadB);  // never quits the title window
  pad_.Press(kPadDpadRight);
  pad_.Press(kPadA);
  HWND dialog = WaitForBox(launcher_->id(), L"Mirefall");
  ASSERT_TRUE(dialog) << "right then A opens Settings; " << pad_.Progress();
  EXPECT_TRUE(::IsWindow(title));
  HWND tab = ::GetDlgItem(dialog, 200);
  ASSERT_TRUE(tab);
  EXPECT_EQ(::SendMessageW(tab, TCM_GETCURSEL, 0, 0), 0);

  pad_.Press(kPadRightShoulder);
  EXPECT_TRUE(WaitUntil([&] { return ::SendMessageW(tab, TCM_GETCURSEL, 0, 0) == 1; }))
      << "RB: next tab; " << pad_.Progress();

  // Down from the tab strip reaches the first setting of the page, "Launcher Language";
  // right changes its value.
  pad_.Push(0, -30000, 3);
  ASSERT_TRUE(WaitUntil([&] { return DialogId(FocusOf(dialog)) >= 1000; }))
      << "stick down: into the page; " << pad_.Progress();
  HWND language = FocusOf(dialog);
  EXPECT_EQ(::SendMessageW(language, CB_GETCURSEL, 0, 0), 0);
  pad_.Press(kPadDpadRight);
  EXPECT_TRUE(WaitUntil([&] { return ::SendMessageW(language, CB_GETCURSEL, 0, 0) == 1; }))
      << "right: next entry; " << pad_.Progress();
  SaveArtefactPng(CaptureClient(dialog), L"gamepad-settings-list-focused");

  // Three more lists, then the "Texture Dump" check box; A ticks it.
  for (int i = 0; i < 4; ++i) pad_.Press(kPadDpadDown);
  ASSERT_TRUE(pad_.WaitUntilRead());
  HWND checkBox = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    checkBox = FocusOf(dialog);
    return ClassOf(checkBox) == L"Button";
  })) << "the check box has the focus, not " << Utf8(ClassOf(checkBox)) << " " << DialogId(checkBox);
  EXPECT_EQ(::SendMessageW(checkBox, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  pad_.Press(kPadA);
  EXPECT_TRUE(WaitUntil([&] { return ::SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
  EXPECT_EQ(::SendMessageW(dialog, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS, 0) << "focus is shown";
  SaveArtefactPng(CaptureClient(dialog), L"gamepad-settings-check-box-focused");

  // On down to the first slider ("Texture Cache Soft Limit", 384 of 64..4096), past a text
  // box, two lists and a check box; right moves it a page (a twentieth of the range) and its
  // number box follows. Every press moves the focus on by one control.
  HWND slider = nullptr;
  std::wstring passed;
  for (int presses = 0; presses < 8 && !slider; ++presses) {
    HWND from = FocusOf(dialog);
    pad_.Press(kPadDpadDown);
    ASSERT_TRUE(pad_.WaitUntilRead()) << pad_.Progress();
    HWND to = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
      to = FocusOf(dialog);
      return to && to != from;
    })) << "down left the focus on " << Utf8(ClassOf(from)) << " " << DialogId(from) << " after " << Utf8(passed);
    passed += ClassOf(to) + L" " + std::to_wstring(DialogId(to)) + L", ";
    if (ClassOf(to) == L"msctls_trackbar32") slider = to;
  }
  ASSERT_TRUE(slider) << "down reaches a slider; the focus went through " << Utf8(passed);
  HWND number = ::GetDlgItem(dialog, ::GetDlgCtrlID(slider) - 10000 + 1000);
  EXPECT_EQ(TextOf(number), L"384");
  LRESULT before = ::SendMessageW(slider, TBM_GETPOS, 0, 0);
  pad_.Press(kPadDpadRight);
  EXPECT_TRUE(WaitUntil([&] { return ::SendMessageW(slider, TBM_GETPOS, 0, 0) > before; })) << "right: slider up";
  EXPECT_TRUE(WaitUntil([&] { return TextOf(number) == L"584"; })) << TextOf(number);

  pad_.Press(kPadB);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); })) << "B cancels the dialog";
  EXPECT_TRUE(::IsWindow(title));
  EXPECT_EQ(folder_.ReadFile("mirefall.toml"), configBefore) << "nothing is written";
  EXPECT_EQ(folder_.ReadFile("launcher.ini"), prefsBefore);

  pad_.Press(kPadB);
  ASSERT_TRUE(pad_.WaitUntilRead());
  PostKey(title, VK_ESCAPE);
  EXPECT_EQ(launcher_->WaitForExit(), 0u) << "the title window was still there to close";
}

TEST_F(GamepadTest, LeftFromPlayWrapsToExit) {
  HWND title = StartToTitleWindow();
  ASSERT_TRUE(title);
  pad_.Press(kPadDpadLeft);
  pad_.Press(kPadA);
  // No game is in this folder: had A landed on PLAY, an error box would wait for an answer.
  EXPECT_EQ(launcher_->WaitForExit(), 0u) << pad_.Progress();
  EXPECT_FALSE(FindProcessWindow(launcher_->id(), L"#32770"));
}

TEST_F(GamepadTest, FirstStartOnSteamDeckIsAnsweredWithThePad) {
  ScopedEnvironmentVariable deck(L"SteamDeck", L"1");
  std::filesystem::remove(folder_.path() / "launcher.ini");
  launcher_ = StartLauncherProcess(folder_);

  ASSERT_TRUE(WaitForBox(launcher_->id(), L"Steam Deck preset"));
  pad_.Press(kPadA);
  HWND consent = WaitForBox(launcher_->id(), L"Help other players?");
  ASSERT_TRUE(consent) << "A dismissed the notice; the sharing question follows; " << pad_.Progress();
  pad_.Press(kPadDpadRight);  // from "Yes" to "No"
  pad_.Press(kPadA);
  ASSERT_TRUE(WaitForBox(launcher_->id(), L"Try the native renderer?")) << pad_.Progress();
  pad_.Press(kPadA);  // "Yes", the default
  HWND title = WaitForProcessWindow(launcher_->id(), L"MFLauncherWindow");
  ASSERT_TRUE(title) << "the title window follows the boxes; " << pad_.Progress();

  std::optional<std::string> prefs = folder_.ReadFile("launcher.ini");
  ASSERT_TRUE(prefs);
  EXPECT_NE(prefs->find("launcher_share_shader_cache = off"), std::string::npos) << *prefs;
  EXPECT_NE(prefs->find("launcher_native_offer_v2 = yes"), std::string::npos) << *prefs;
  PostKey(title, VK_ESCAPE);
  EXPECT_EQ(launcher_->WaitForExit(), 0u);
}

// Started while the update helper works, the launcher waits behind its small window; B
// closes it, and that launcher quits without starting.
TEST_F(GamepadTest, BClosesTheInstallingUpdateWindow) {
  HANDLE helperMutex = ::CreateMutexW(nullptr, TRUE, update::kHelperMutexName);  // as a helper at work
  ASSERT_TRUE(helperMutex);
  launcher_ = StartLauncherProcess(folder_);
  HWND waiting = WaitForBox(launcher_->id(), L"Mirefall Recompilation");
  EXPECT_TRUE(waiting);
  pad_.Press(kPadA);  // nothing to confirm
  ASSERT_TRUE(pad_.WaitUntilRead()) << pad_.Progress();
  EXPECT_TRUE(::IsWindow(waiting)) << "A leaves the window open";
  pad_.Press(kPadB);
  std::optional<DWORD> exitCode = launcher_->WaitForExit();
  ::ReleaseMutex(helperMutex);
  ::CloseHandle(helperMutex);
  EXPECT_EQ(exitCode, 0u) << pad_.Progress();
  EXPECT_EQ(folder_.ReadFile("launcher.ini"), std::string(kStartupOffersAnswered)) << "it quit before start-up";
}

// No stand-in and no controller: Wine's own XInput answers, and the launcher starts and ends
// as it always did.
TEST(GamepadAbsent, TitleWindowAsBefore) {
  TempGameFolder folder;
  folder.AddProgram(L"PlayMirefall.exe", L"PlayMirefall.exe");
  folder.WriteFile("launcher.ini", kStartupOffersAnswered);
  RunningLauncher launcher = StartLauncher(folder);
  ASSERT_TRUE(launcher.window);
  EXPECT_TRUE(WaitUntil([&] { return CaptureClient(launcher.window).MaxBrightness(816, 652, 956, 696) > 200; }));
  EXPECT_EQ(CloseLauncher(launcher), 0u);
}

}  // namespace
}  // namespace mf::test

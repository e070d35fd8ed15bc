// The finished PlayMirefall.exe, started in a game folder of its own and driven through its
// real message loop with posted keys and clicks, as a player would.
#include <gtest/gtest.h>

#include <optional>

#include "app/pixel_image.h"
#include "wine_test_support.h"

namespace mf::test {
namespace {

const std::wstring kLauncherCaption = L"Mirefall Recompilation v2.0.11 | \u00ABQuillwork\u00BB";
const std::filesystem::path kGameRecord = "mirefall_started.txt";

// Button centres in client pixels of the 1280 x 720 title window.
constexpr POINT kPlay = {886, 674}, kSettings = {1036, 674}, kExit = {1186, 674};

// The fill just inside each button's top-left corner: brighter when the button is focused.
int FocusedButton(const Capture& capture) {
  const POINT centres[] = {kPlay, kSettings, kExit};
  int brightest = -1, best = -1;
  for (int i = 0; i < 3; ++i) {
    int left = centres[i].x - 70;
    int level = capture.MeanBrightness(left + 3, 655, left + 20, 662);
    if (level > best) best = level, brightest = i;
  }
  return brightest;
}

class LauncherTest : public testing::Test {
 protected:
  void SetUp() override { folder_.AddProgram(L"PlayMirefall.exe", L"PlayMirefall.exe"); }

  // Starts the launcher and waits for its title window.
  HWND Start(const std::wstring& arguments = {}) {
    RunningLauncher started = StartLauncher(folder_, arguments);
    launcher_ = std::move(started.process);
    EXPECT_NE(started.window, nullptr) << "the title window did not appear";
    return started.window;
  }

  bool WaitForFocus(HWND window, int expected) {
    return WaitUntil([&] { return FocusedButton(CaptureClient(window)) == expected; });
  }

  // Posted messages are handled in order: once the focus moved, everything posted before
  // the Tab has been handled too.
  void WaitUntilHandled(HWND window, int focusBefore) {
    ::PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(640, 300));  // hover nothing
    PostKey(window, VK_TAB);
    ASSERT_TRUE(WaitForFocus(window, (focusBefore + 1) % 3));
  }

  std::string GameRecordLine(const std::string& name) {
    std::string record = folder_.ReadFile(kGameRecord).value_or("");
    size_t start = record.find(name + "=");
    if (start == std::string::npos) return "(missing)";
    start += name.size() + 1;
    return record.substr(start, record.find('\n', start) - start);
  }

  std::string FolderUtf8() { return Utf8(folder_.path()); }

  TempGameFolder folder_;
  std::unique_ptr<ChildProcess> launcher_;
};

TEST_F(LauncherTest, TitleWindowHasItsClassCaptionAndFixedClientSize) {
  HWND window = Start();
  ASSERT_TRUE(window);
  EXPECT_EQ(WindowText(window), kLauncherCaption);
  RECT client = {};
  ::GetClientRect(window, &client);
  EXPECT_EQ(client.right, 1280);
  EXPECT_EQ(client.bottom, 720);
  LONG style = ::GetWindowLongW(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME) << "the window must not be resizable";
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);

  RECT outer = {};
  ::GetWindowRect(window, &outer);
  EXPECT_EQ(outer.left, (::GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
  EXPECT_EQ(outer.top, (::GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);
}

// What Explorer and Windows read from the file: the version record, the icon, the pictures
// and the manifest that asks for common controls 6.
TEST_F(LauncherTest, ExecutableCarriesItsResources) {
  std::filesystem::path exe = folder_.path() / "PlayMirefall.exe";
  DWORD ignored = 0;
  std::vector<BYTE> version(::GetFileVersionInfoSizeW(exe.c_str(), &ignored));
  ASSERT_FALSE(version.empty());
  ASSERT_TRUE(::GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(version.size()), version.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(version.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, (2u << 16) | 0u);
  EXPECT_EQ(fixed->dwFileVersionLS, 11u << 16);

  HMODULE module = ::LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_TRUE(module);
  auto resourceBytes = [&](LPCWSTR name, LPCWSTR type) {
    HRSRC found = ::FindResourceW(module, name, type);
    if (!found) return std::string();
    const char* bytes = static_cast<const char*>(::LockResource(::LoadResource(module, found)));
    return std::string(bytes, ::SizeofResource(module, found));
  };
  EXPECT_FALSE(resourceBytes(MAKEINTRESOURCEW(101), RT_GROUP_ICON).empty()) << "icon 101";
  // The title pictures go in as pixels ready to draw, made from resources/*.png.
  const std::string background = resourceBytes(MAKEINTRESOURCEW(200), RT_RCDATA);
  std::optional<app::PixelImage> backgroundImage = app::ReadPixelImage(background);
  ASSERT_TRUE(backgroundImage) << "background 200";
  EXPECT_EQ(backgroundImage->width, 1280);
  EXPECT_EQ(backgroundImage->height, 720);
  EXPECT_TRUE(backgroundImage->opaque);
  EXPECT_TRUE(app::ReadPixelImage(resourceBytes(MAKEINTRESOURCEW(201), RT_RCDATA))) << "logo 201";
  EXPECT_NE(resourceBytes(MAKEINTRESOURCEW(1), RT_MANIFEST).find("Microsoft.Windows.Common-Controls"),
            std::string::npos);
  ::FreeLibrary(module);
}

TEST_F(LauncherTest, TabAndArrowsCycleThroughThreeButtons) {
  HWND window = Start();
  ASSERT_TRUE(window);
  ASSERT_TRUE(WaitForFocus(window, 0)) << "PLAY starts focused";
  PostKey(window, VK_TAB);
  EXPECT_TRUE(WaitForFocus(window, 1));
  PostKey(window, VK_DOWN);
  EXPECT_TRUE(WaitForFocus(window, 2));
  PostKey(window, VK_TAB);
  EXPECT_TRUE(WaitForFocus(window, 0)) << "focus wraps from Exit to PLAY";
  PostKey(window, VK_LEFT);
  EXPECT_TRUE(WaitForFocus(window, 2)) << "and back from PLAY to Exit";
  PostKey(window, VK_UP);
  EXPECT_TRUE(WaitForFocus(window, 1));
}

TEST_F(LauncherTest, EscapeClosesTheLauncher) {
  HWND window = Start();
  ASSERT_TRUE(window);
  PostKey(window, VK_ESCAPE);
  EXPECT_EQ(launcher_->WaitForExit(), 0u);
}

TEST_F(LauncherTest, EscapeClosesEvenWhileAButtonIsHeldDown) {
  folder_.AddProgram(L"mirefall.exe", L"mirefall.exe");
  HWND window = Start();
  ASSERT_TRUE(window);
  PostMouseDown(window, kPlay.x, kPlay.y);
  PostKey(window, VK_ESCAPE);
  EXPECT_EQ(launcher_->WaitForExit(), 0u);
  EXPECT_FALSE(folder_.ReadFile(kGameRecord)) << "closing must not start the game";
}

TEST_F(LauncherTest, ExitButtonClosesTheLauncher) {
  HWND window = Start();
  ASSERT_TRUE(window);
  PostClick(window, kExit.x, kExit.y);
  EXPECT_EQ(launcher_->WaitForExit(), 0u);
}

TEST_F(LauncherTest, PressOnPlayAndReleaseOverExitDoesNothing) {
  folder_.AddProgram(L"mirefall.exe", L"mirefall.exe");
  HWND window = Start();
  ASSERT_TRUE(window);
  ASSERT_TRUE(WaitForFocus(window, 0));
  PostMouseDown(window, kPlay.x, kPlay.y);
  PostMouseUp(window, kExit.x, kExit.y);
  WaitUntilHandled(window, 0);
  EXPECT_TRUE(launcher_->running());
  EXPECT_FALSE(folder_.ReadFile(kGameRecord));
}

TEST_F(LauncherTest, PlayStartsTheGameInItsFolderAndCloses) {
  folder_.AddProgram(L"mirefall.exe", L"mirefall.exe");
  folder_.WriteFile("launcher.ini", "launcher_steam_overlay = off\r\n");
  HWND window = Start();
  ASSERT_TRUE(window);
  PostClick(window, kPlay.x, kPlay.y);
  EXPECT_EQ(launcher_->WaitForExit(), 0u) << "the launcher closes once the game is started";
  ASSERT_TRUE(WaitUntil([&] { return folder_.ReadFile(kGameRecord).has_value(); }));

  std::string exe = FolderUtf8() + "\\mirefall.exe";
  EXPECT_EQ(GameRecordLine("executable"), exe);
  EXPECT_EQ(GameRecordLine("command_line"), "\"" + exe + "\" --game_data_root assets");
  EXPECT_EQ(GameRecordLine("working_directory"), FolderUtf8());
  EXPECT_EQ(GameRecordLine("SteamNoOverlayUIDrawing"), "1");
}

TEST_F(LauncherTest, EnterOnPlayKeepsTheSteamOverlayUnlessExactlyOff) {
  folder_.AddProgram(L"mirefall.exe", L"mirefall.exe");
  folder_.WriteFile("launcher.ini", "launcher_steam_overlay = Off\r\n");
  HWND window = Start();
  ASSERT_TRUE(window);
  PostKey(window, VK_RETURN);
  EXPECT_EQ(launcher_->WaitForExit(), 0u);
  ASSERT_TRUE(WaitUntil([&] { return folder_.ReadFile(kGameRecord).has_value(); }));
  EXPECT_EQ(GameRecordLine("SteamNoOverlayUIDrawing"), "(unset)");
}

// Only the US data file, at its exact size, with its own executable present, picks
// mirefall_usa.exe.
TEST_F(LauncherTest, DataFileSizePicksTheEdition) {
  struct Case {
    std::uint64_t xexSize;
    const char* expected;
  } cases[] = {{10'080'256, "mirefall_usa.exe"}, {10'080'000, "mirefall.exe"}};
  folder_.AddProgram(L"mirefall.exe", L"mirefall.exe");
  folder_.AddProgram(L"mirefall.exe", L"mirefall_usa.exe");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.xexSize);
    folder_.WriteSizedFile("assets/default.xex", c.xexSize);
    std::filesystem::remove(folder_.path() / kGameRecord);
    HWND window = Start();
    ASSERT_TRUE(window);
    PostKey(window, VK_SPACE);
    EXPECT_EQ(launcher_->WaitForExit(), 0u);
    ASSERT_TRUE(WaitUntil([&] { return folder_.ReadFile(kGameRecord).has_value(); }));
    std::string exe = FolderUtf8() + "\\" + c.expected;
    EXPECT_EQ(GameRecordLine("command_line"), "\"" + exe + "\" --game_data_root assets");
  }
}

TEST_F(LauncherTest, MissingGameShowsTheErrorAndTheLauncherStays) {
  HWND window = Start();
  ASSERT_TRUE(window);
  PostKey(window, VK_RETURN);
  HWND box = WaitForProcessWindow(launcher_->id(), L"#32770", L"Mirefall Recompilation");
  ASSERT_NE(box, nullptr) << "no error box";
  EXPECT_NE(StaticTexts(box).find(L"Failed to launch mirefall.exe.\nMake sure it exists next to PlayMirefall.exe."),
            std::wstring::npos)
      << "box text: " << testing::PrintToString(StaticTexts(box));
  EXPECT_EQ(::GetWindow(box, GW_OWNER), window) << "the box belongs to the title window";

  ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
  EXPECT_TRUE(launcher_->running());
  EXPECT_TRUE(::IsWindowVisible(window));

  PostKey(window, VK_ESCAPE);
  EXPECT_EQ(launcher_->WaitForExit(), 0u);
}

// "--apply-update" with the zip, the install folder and the old process id selects the
// update helper: it ends by itself with an exit code, where the launcher would wait for
// the player.
TEST_F(LauncherTest, ApplyUpdateWithItsThreeArgumentsRunsNoWindow) {
  TempGameFolder temp(L"mf-test-temp");
  ScopedTempFolder privateTemp(temp.path());  // its log stays out of the shared prefix
  ChildProcess helper(folder_.path() / "PlayMirefall.exe", L"--apply-update C:\\nothing.zip C:\\nowhere 12345",
                      folder_.path());
  ASSERT_TRUE(helper.started());
  std::optional<DWORD> exitCode = helper.WaitForExit();
  ASSERT_TRUE(exitCode);
  EXPECT_EQ(*exitCode, 1u) << "nothing was installed";
}

TEST_F(LauncherTest, ApplyUpdateLookalikesStartTheLauncher) {
  for (const std::wstring arguments : {L"--apply-update C:\\a.zip C:\\dir", L"--APPLY-UPDATE C:\\a.zip C:\\dir 1",
                                       L"C:\\a.zip --apply-update C:\\dir 1"}) {
    SCOPED_TRACE(testing::PrintToString(arguments));
    HWND window = Start(arguments);
    ASSERT_TRUE(window);
    PostKey(window, VK_ESCAPE);
    EXPECT_EQ(launcher_->WaitForExit(), 0u);
  }
}

}  // namespace
}  // namespace mf::test

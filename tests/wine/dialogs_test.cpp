// The launcher's own dialogs, run inside the test on a thread of their own and answered the
// way a player answers them: keys and clicks posted into the dialog's message loop.
#include <gtest/gtest.h>

#include <future>

#include "i18n/translate.h"
#include "settings/config_file.h"
#include "settings/settings_schema.h"
#include "ui/config_save_win.h"
#include "ui/confirm_dialog_win.h"
#include "wine_test_support.h"

namespace mf::test {
namespace {

const std::wstring kQuestionCaption = L"Mirefall question";

class ConfirmYesNoTest : public testing::Test {
 protected:
  void TearDown() override { i18n::SetUiLanguage(i18n::UiLanguage::English); }

  // Shows the dialog on a worker thread and returns its window once it is on screen.
  HWND Ask(const std::wstring& message) {
    answer_ = std::async(std::launch::async, [message] { return ui::ConfirmYesNo(nullptr, message, kQuestionCaption); });
    HWND dialog = WaitForProcessWindow(::GetCurrentProcessId(), L"#32770", kQuestionCaption);
    EXPECT_NE(dialog, nullptr) << "the dialog did not appear";
    return dialog;
  }

  int Answer() {
    EXPECT_EQ(answer_.wait_for(kPatience), std::future_status::ready) << "the dialog did not close";
    return answer_.get();
  }

  std::future<int> answer_;
};

TEST_F(ConfirmYesNoTest, ShowsTheQuestionWithYesAsTheDefault) {
  HWND dialog = Ask(L"Download and install update?");
  ASSERT_TRUE(dialog);
  EXPECT_EQ(WindowText(::GetDlgItem(dialog, 900)), L"Download and install update?");
  HWND yes = ::GetDlgItem(dialog, IDYES), no = ::GetDlgItem(dialog, IDNO);
  EXPECT_EQ(WindowText(yes), L"Yes");
  EXPECT_EQ(WindowText(no), L"No");
  EXPECT_TRUE(::GetWindowLongW(yes, GWL_STYLE) & BS_DEFPUSHBUTTON);
  EXPECT_EQ(::GetWindow(dialog, GW_OWNER), nullptr);

  PostKey(yes, VK_RETURN);  // Enter on the focused default button
  EXPECT_EQ(Answer(), IDYES);
}

TEST_F(ConfirmYesNoTest, DarkBackgroundBehindTheText) {
  HWND dialog = Ask(L"Dark?");
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(WaitUntil([&] {
    Capture capture = CaptureClient(dialog);
    // A corner of the dialog and the empty part of the message area: RGB(24, 26, 30).
    return capture.width > 0 && capture.At(4, 4) == 0x181A1E && capture.At(capture.width - 30, 20) == 0x181A1E;
  })) << "the dialog is not drawn in its dark colours";
  PostKey(dialog, VK_ESCAPE);
  EXPECT_EQ(Answer(), IDNO);
}

TEST_F(ConfirmYesNoTest, EscapeAnswersNo) {
  HWND dialog = Ask(L"Escape?");
  ASSERT_TRUE(dialog);
  PostKey(::GetDlgItem(dialog, IDYES), VK_ESCAPE);
  EXPECT_EQ(Answer(), IDNO);
}

TEST_F(ConfirmYesNoTest, CloseBoxAnswersNo) {
  HWND dialog = Ask(L"Close?");
  ASSERT_TRUE(dialog);
  ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(Answer(), IDNO);
}

TEST_F(ConfirmYesNoTest, ClickingNoAnswersNo) {
  HWND dialog = Ask(L"Click?");
  ASSERT_TRUE(dialog);
  PostClick(::GetDlgItem(dialog, IDNO), 50, 14);
  EXPECT_EQ(Answer(), IDNO);
}

TEST_F(ConfirmYesNoTest, ButtonsSpeakUkrainian) {
  i18n::SetUiLanguage(i18n::UiLanguage::Ukrainian);
  HWND dialog = Ask(L"Питання?");
  ASSERT_TRUE(dialog);
  EXPECT_EQ(WindowText(::GetDlgItem(dialog, IDYES)), L"Так");
  EXPECT_EQ(WindowText(::GetDlgItem(dialog, IDNO)), L"Ні");
  PostKey(::GetDlgItem(dialog, IDYES), VK_TAB);  // to No
  PostKey(::GetDlgItem(dialog, IDNO), VK_SPACE);
  EXPECT_EQ(Answer(), IDNO);
}

// A question of several paragraphs (the native renderer offer, longest in Ukrainian) shows
// all of its text above the buttons.
TEST_F(ConfirmYesNoTest, LongQuestionShowsAllOfItsText) {
  std::wstring paragraph =
      L"\u0426\u0435 \u043F\u0435\u0440\u0448\u0430 \u0442\u0435\u0441\u0442\u043E\u0432\u0430 "
      L"\u0432\u0435\u0440\u0441\u0456\u044F DirectX 12 renderer, colours, lighting, the sky, depth of field "
      L"and the mirror floors now look the way they should.";
  std::wstring message = paragraph + L"\n\n" + paragraph + L"\n\n" + paragraph + L"\n\n" + paragraph;
  HWND dialog = Ask(message);
  ASSERT_TRUE(dialog);
  HWND text = ::GetDlgItem(dialog, 900);
  RECT shown = {};
  ::GetClientRect(text, &shown);
  HDC dc = ::GetDC(text);
  HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(text, WM_GETFONT, 0, 0)));
  RECT needed = {0, 0, shown.right, 0};
  ::DrawTextW(dc, message.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  ::SelectObject(dc, old);
  ::ReleaseDC(text, dc);
  EXPECT_GE(shown.bottom, needed.bottom) << "the text is cut off";

  RECT textBox = {}, yesBox = {};
  ::GetWindowRect(text, &textBox);
  ::GetWindowRect(::GetDlgItem(dialog, IDYES), &yesBox);
  EXPECT_LE(textBox.bottom, yesBox.top) << "the text runs under the buttons";
  PostKey(::GetDlgItem(dialog, IDYES), VK_ESCAPE);
  EXPECT_EQ(Answer(), IDNO);
}

// Runs the save the settings dialog runs, answers the error box it must show and checks
// that the box names the file and has no owner, and that the save reports failure.
void ExpectSaveErrorBox(const std::filesystem::path& config) {
  settings::BuildSettingsSchema();
  auto saved = std::async(std::launch::async, [&] { return ui::SaveConfigFileOrReport(config); });
  HWND box = WaitForProcessWindow(::GetCurrentProcessId(), L"#32770", L"MFLauncher \u2014 Save error");
  ASSERT_NE(box, nullptr) << "no save-error box";
  std::wstring text = StaticTexts(box);
  EXPECT_NE(text.find(L"Failed to write settings to:\n" + config.wstring() + L"\n\nCheck file permissions and disk space."),
            std::wstring::npos)
      << testing::PrintToString(text);
  EXPECT_EQ(::GetWindow(box, GW_OWNER), nullptr);
  ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ASSERT_EQ(saved.wait_for(kPatience), std::future_status::ready);
  EXPECT_FALSE(saved.get());
}

// A save that cannot read the file it would replace (another program holds it open without
// sharing) keeps the file and says where it could not write.
TEST(SaveErrorBox, LockedFileIsKeptAndTheBoxNamesIt) {
  TempGameFolder folder(L"mf-save-\u0406\u0433\u0440\u0438 \u043F\u0430\u043F\u043A\u0430");
  const std::string original = "vsync = false\r\nmy_mod_setting = 7\r\n";
  folder.WriteFile("mirefall.toml", original);
  std::filesystem::path config = folder.path() / "mirefall.toml";
  HANDLE holder = ::CreateFileW(config.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);

  ExpectSaveErrorBox(config);

  ::CloseHandle(holder);
  EXPECT_EQ(folder.ReadFile("mirefall.toml"), original) << "the file the save could not read must stay whole";
}

// Notepad's "Unicode" (UTF-16) file: the launcher neither reads it nor writes UTF-8 lines
// over it; the player is told, and the file stays as it was.
TEST(SaveErrorBox, Utf16FileIsRefusedAndKept) {
  TempGameFolder folder(L"mf-save-utf16");
  const std::string original("\xFF\xFEv\0s\0y\0n\0c\0 \0=\0 \0\x31\0\r\0\n\0", 22);
  folder.WriteFile("mirefall.toml", original);

  ExpectSaveErrorBox(folder.path() / "mirefall.toml");

  EXPECT_EQ(folder.ReadFile("mirefall.toml"), original);
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "mirefall.toml.backup"));
}

}  // namespace
}  // namespace mf::test

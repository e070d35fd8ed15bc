// UTF-8 to UTF-16 at the Windows boundary, and the translated texts handed to Windows calls.
#include <gtest/gtest.h>

#include <thread>

#include "i18n/translate.h"
#include "ui/text_win.h"

namespace mf::ui {
namespace {

class UkrainianMode : public testing::Test {
 protected:
  void SetUp() override { i18n::SetUiLanguage(i18n::UiLanguage::Ukrainian); }
  void TearDown() override { i18n::SetUiLanguage(i18n::UiLanguage::English); }
};

TEST(Utf8ToWide, ConvertsWithTheSystemRules) {
  EXPECT_EQ(Utf8ToWide(""), L"");
  EXPECT_EQ(Utf8ToWide("PLAY \xE2\x80\x94 \xD0\x93\xD0\xA0\xD0\x90"), L"PLAY \u2014 \u0413\u0420\u0410");
  EXPECT_EQ(Utf8ToWide("\xF0\x9F\x8E\xAE"), L"\U0001F3AE");   // outside the BMP: a surrogate pair
  EXPECT_EQ(Utf8ToWide("a\xFF" "b"), L"a\uFFFD" L"b");       // an invalid byte
  EXPECT_EQ(Utf8ToWide("\xD0"), L"\uFFFD");                  // a cut-off sequence
  EXPECT_EQ(Utf8ToWide(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
  EXPECT_EQ(WideToUtf8(L"\u0406\u0433\u0440\u0438"), "\xD0\x86\xD0\xB3\xD1\x80\xD0\xB8");
}

TEST_F(UkrainianMode, TranslatesOnlyExactKeys) {
  EXPECT_EQ(TrWide("Exit"), L"\u0412\u0438\u0445\u0456\u0434");
  EXPECT_EQ(TrWide("exit"), L"exit");
  EXPECT_EQ(TrWide("Exit "), L"Exit ");
  EXPECT_EQ(TrWide("Not a UI text"), L"Not a UI text");
}

TEST_F(UkrainianMode, TwoTextsInOneCallKeepTheirOwnBuffers) {
  // As in MessageBoxW(owner, TrPtr(text), TrPtr(caption), ...).
  auto both = [](const wchar_t* text, const wchar_t* caption) { return std::wstring(text) + L"|" + caption; };
  EXPECT_EQ(both(TrPtr("Yes"), TrPtr("No")), L"\u0422\u0430\u043A|\u041D\u0456");
}

TEST_F(UkrainianMode, EachThreadHasItsOwnBuffers) {
  const wchar_t* mine = TrPtr("Settings");
  std::wstring other;
  std::thread([&] {
    for (int i = 0; i < 10; ++i) other = TrPtr("Exit");
  }).join();
  EXPECT_EQ(std::wstring(mine), L"\u041D\u0430\u043B\u0430\u0448\u0442\u0443\u0432\u0430\u043D\u043D\u044F");
  EXPECT_EQ(other, L"\u0412\u0438\u0445\u0456\u0434");
}

TEST(EnglishMode, ShowsTheLiteralAsWritten) {
  EXPECT_EQ(TrWide("Exit"), L"Exit");
  EXPECT_EQ(std::wstring(TrPtr("D-Pad: Select Option   A: Confirm")), L"D-Pad: Select Option   A: Confirm");
}

}  // namespace
}  // namespace mf::ui

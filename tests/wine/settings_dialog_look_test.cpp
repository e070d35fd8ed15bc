// Every page of the settings dialog as a player sees it, in English and in Ukrainian under
// the fonts Wine and Proton have: captured, kept as PNGs in bin/test-artefacts, and checked
// the way a person would look at them.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <tuple>

#include "dialog/settings_page_layout.h"
#include "i18n/translate.h"
#include "i18n/utf16_win.h"
#include "settings/settings_schema.h"
#include "settings_dialog_support.h"

namespace mf::test {
namespace {

constexpr std::uint32_t kPage = 0x181A1E;  // RGB(24, 26, 30)

struct Child {
  HWND window;
  RECT box;  // dialog client coordinates
  std::wstring className;
};

std::vector<Child> VisibleChildren(HWND dialog) {
  std::vector<Child> children;
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (!::IsWindowVisible(child)) continue;
    RECT box = {};
    ::GetWindowRect(child, &box);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
    children.push_back({child, box, WindowClass(child)});
  }
  return children;
}

// The width a text covers when drawn in a control's font: the rightmost column of ink when
// it is drawn into a bitmap, or the width GDI reports if that is wider. Under Wine the two
// differ (Tahoma's m and e are drawn wider than reported), and the eye sees the ink.
int TextWidthIn(HWND control, const std::wstring& text) {
  HFONT font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
  HDC dc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ previousFont = ::SelectObject(dc, font);
  SIZE reported = {};
  ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &reported);
  constexpr int kMargin = 8, kHeight = 48;
  const int width = static_cast<int>(reported.cx) * 2 + 4 * kMargin;
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof info.bmiHeader, width, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  int inked = 0;
  if (bitmap && bits) {
    HGDIOBJ previousBitmap = ::SelectObject(dc, bitmap);
    RECT all = {0, 0, width, kHeight};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::SetTextColor(dc, RGB(255, 255, 255));
    ::SetBkMode(dc, TRANSPARENT);
    ::ExtTextOutW(dc, kMargin, kMargin, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
    ::GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (int y = 0; y < kHeight; ++y)
      for (int x = kMargin; x < width; ++x)
        if (pixels[y * width + x] & 0xFFFFFF) inked = std::max(inked, x - kMargin + 1);
    ::SelectObject(dc, previousBitmap);
    ::DeleteObject(bitmap);
  }
  ::SelectObject(dc, previousFont);
  ::DeleteDC(dc);
  return std::max(static_cast<int>(reported.cx), inked);
}

const char* kLanguageNames[] = {"en", "uk"};

class SettingsDialogLookTest : public testing::TestWithParam<i18n::UiLanguage> {
 protected:
  void SetUp() override {
    i18n::SetUiLanguage(GetParam());
    MovePointer(0, 0);  // no hover, no tooltip in the pictures
  }
  void TearDown() override { i18n::SetUiLanguage(i18n::UiLanguage::English); }
  TempGameFolder folder_{L"mf-settings-look"};
};

TEST_P(SettingsDialogLookTest, EveryPageIsDarkReadableAndTidy) {
  SettingsDialogDriver driver(folder_);
  HWND dialog = driver.Open();
  ASSERT_TRUE(dialog);
  RECT window = {}, client = {};
  ::GetWindowRect(dialog, &window);
  ::GetClientRect(dialog, &client);
  EXPECT_LE(window.right - window.left, 1280) << "fits a Steam Deck screen";
  EXPECT_LE(window.bottom - window.top, 800) << "fits a Steam Deck screen";

  const std::wstring language = GetParam() == i18n::UiLanguage::English ? L"en" : L"uk";
  for (int page = 0; page < kPageCount; ++page) {
    SCOPED_TRACE("page " + std::to_string(page));
    ASSERT_TRUE(driver.ShowPage(page));
    std::vector<Child> children = VisibleChildren(dialog);
    if (page == 5) {  // "Experimental" has no settings: one line says so
      std::wstring note = i18n::Utf8ToWide(i18n::Translate("There are no settings on this page in this version."));
      EXPECT_TRUE(std::any_of(children.begin(), children.end(), [&](const Child& child) {
        return child.className == L"Static" && WindowText(child.window) == note;
      })) << "the empty page is not explained";
    }
    // Painted once the corners are the page colour and the Save button shows.
    Capture shot;
    ASSERT_TRUE(WaitUntil([&] {
      shot = CaptureClient(dialog);
      return shot.width > 0 && shot.At(3, shot.height - 3) == kPage && shot.At(shot.width - 3, 3) == kPage;
    })) << "the dialog is not drawn in its dark page colour";
    ASSERT_TRUE(WaitUntil([&] {
      shot = CaptureClient(dialog);
      for (const Child& child : children)
        if (child.className == L"Static" && !WindowText(child.window).empty() &&
            shot.MaxBrightness(child.box.left, child.box.top, child.box.right, child.box.bottom) < 150)
          return false;
      return true;
    })) << "a label is not drawn in light text";
    // Both buttons drawn: a button face is not the page colour, and its text is light.
    auto buttonShows = [&](int id) {
      RECT box = {};
      ::GetWindowRect(driver.Item(id), &box);
      ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
      return ::IsWindowVisible(driver.Item(id)) && shot.At((box.left + box.right) / 2, box.top + 3) != kPage &&
             shot.MaxBrightness(box.left, box.top, box.right, box.bottom) >= 150;
    };
    ASSERT_TRUE(WaitUntil([&] {
      shot = CaptureClient(dialog);
      return buttonShows(kSaveButtonId) && buttonShows(kCancelButtonId);
    })) << "Save & Close or Cancel is missing from the page";
    SaveArtefactPng(shot, L"settings-" + language + L"-page" + std::to_wstring(page));

    // The buttons keep the padding their English texts have in 140 and 90 pixels.
    for (auto [id, english, designWidth] : {std::tuple{kSaveButtonId, L"Save & Close", 140},
                                            std::tuple{kCancelButtonId, L"Cancel", 90}}) {
      HWND button = driver.Item(id);
      std::wstring shown = WindowText(button);
      if (size_t amp = shown.find(L"&&"); amp != std::wstring::npos) shown.erase(amp, 1);
      RECT box = {};
      ::GetWindowRect(button, &box);
      EXPECT_GE((box.right - box.left) - TextWidthIn(button, shown), designWidth - TextWidthIn(button, english))
          << "the text of " << testing::PrintToString(shown) << " fills its button";
    }

    for (size_t i = 0; i < children.size(); ++i) {
      const Child& a = children[i];
      SCOPED_TRACE(WindowText(a.window));
      EXPECT_TRUE(a.box.left >= 0 && a.box.top >= 0 && a.box.right <= client.right && a.box.bottom <= client.bottom)
          << "falls off the dialog";
      for (size_t j = i + 1; j < children.size(); ++j) {
        RECT overlap = {};
        EXPECT_FALSE(::IntersectRect(&overlap, &a.box, &children[j].box))
            << "overlaps " << testing::PrintToString(WindowText(children[j].window));
      }
      if (a.className == L"Static") {
        // A text that only just fits loses its last letter when drawn: keep a few pixels spare.
        EXPECT_LE(TextWidthIn(a.window, WindowText(a.window)), a.box.right - a.box.left - 4) << "the label is cut";
      }
      if (a.className == L"ComboBox") {
        // Closed, a list shows its current entry, and any entry may become current: each
        // must fit whole where the list draws it, two pixels inside the box it reports and
        // clipped a pixel before that box ends. An entry longer than even the widest dialog
        // a Steam Deck screen takes may be cut there, but then the dialog is that wide and
        // the open list shows the entry whole.
        COMBOBOXINFO info = {};
        info.cbSize = sizeof info;
        ASSERT_TRUE(::GetComboBoxInfo(a.window, &info));
        int room = info.rcItem.right - info.rcItem.left - 3;
        int dropped = static_cast<int>(::SendMessageW(a.window, CB_GETDROPPEDWIDTH, 0, 0));
        const bool dialogAtItsWidest = window.right - window.left >= dialog::kMaxDialogWindowWidth - 8;
        int count = static_cast<int>(::SendMessageW(a.window, CB_GETCOUNT, 0, 0));
        EXPECT_GT(count, 0);
        int current = static_cast<int>(::SendMessageW(a.window, CB_GETCURSEL, 0, 0));
        EXPECT_GE(current, 0) << "no entry shows";
        for (int entry = 0; entry < count; ++entry) {
          std::wstring text(static_cast<size_t>(::SendMessageW(a.window, CB_GETLBTEXTLEN, entry, 0)) + 1, L'\0');
          text.resize(static_cast<size_t>(
              ::SendMessageW(a.window, CB_GETLBTEXT, entry, reinterpret_cast<LPARAM>(text.data()))));
          const int width = TextWidthIn(a.window, text);
          if (width <= room) continue;
          EXPECT_TRUE(dialogAtItsWidest && width + 8 <= dropped)
              << (entry == current ? "the current entry " : "the entry ") << testing::PrintToString(text)
              << " is cut in the closed list (" << width << " px in " << room
              << ") though the dialog could be wider, or the open list does not show it whole";
        }
        EXPECT_GE(dropped, a.box.right - a.box.left) << "the open list is narrower than the box";
      }
      if (a.className == L"Button" && !WindowText(a.window).empty()) {  // "&&" shows as one '&'
        std::wstring shown = WindowText(a.window);
        if (size_t amp = shown.find(L"&&"); amp != std::wstring::npos) shown.erase(amp, 1);
        EXPECT_LE(TextWidthIn(a.window, shown), a.box.right - a.box.left - 8) << "the button text is cramped";
      }
    }
  }
  ::PostMessageW(dialog, WM_CLOSE, 0, 0);
  EXPECT_EQ(driver.Result(), 2);
}

// A drop-down list opens as wide as its widest entry; in Ukrainian no list is more than
// 40% wider than in English, and none is wider than the dialog.
TEST(SettingsDialogLook, UkrainianListsAreAboutAsWideAsEnglish) {
  TempGameFolder folder(L"mf-settings-lists");
  std::map<std::string, int> englishWidths;
  for (auto language : {i18n::UiLanguage::English, i18n::UiLanguage::Ukrainian}) {
    i18n::SetUiLanguage(language);
    SettingsDialogDriver driver(folder);
    HWND dialog = driver.Open();
    ASSERT_TRUE(dialog);
    RECT client = {};
    ::GetClientRect(dialog, &client);
    for (const auto& row : settings::SettingsSchema()) {
      if (row.kind != settings::SettingKind::Choice || row.tab == settings::SettingTab::Hidden) continue;
      int width = static_cast<int>(::SendMessageW(driver.Control(row.key.c_str()), CB_GETDROPPEDWIDTH, 0, 0));
      EXPECT_LE(width, client.right) << row.key;
      if (language == i18n::UiLanguage::English) {
        englishWidths[row.key] = width;
      } else {
        EXPECT_LE(width, englishWidths[row.key] * 14 / 10 + 10) << row.key << " English " << englishWidths[row.key];
      }
    }
    ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(driver.Result(), 2);
  }
  i18n::SetUiLanguage(i18n::UiLanguage::English);
}

INSTANTIATE_TEST_SUITE_P(Languages, SettingsDialogLookTest,
                         testing::Values(i18n::UiLanguage::English, i18n::UiLanguage::Ukrainian),
                         [](const testing::TestParamInfo<i18n::UiLanguage>& info) {
                           return std::string(kLanguageNames[static_cast<int>(info.param)]);
                         });

}  // namespace
}  // namespace mf::test

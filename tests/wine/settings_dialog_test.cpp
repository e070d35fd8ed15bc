// The settings dialog as a player uses it: what it shows, how it keeps sliders and boxes in
// step, which keys move where, and what Save and Cancel leave in the two files.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <set>

#include "i18n/translate.h"
#include "i18n/utf16_win.h"
#include "settings/config_file.h"
#include "settings/config_writer.h"
#include "settings/launcher_prefs.h"
#include "settings/settings_schema.h"
#include "settings_dialog_support.h"

namespace mf::test {
namespace {

const std::string kConfig =
    "# Mirefall configuration\r\n"
    "present_cas_additional_sharpness = 0.25\r\n"
    "present_effect = \"fsr4\"\r\n"
    "mnk_sensitivity = 1.0\r\n"
    "dualsense_rt_start = 3\r\n"
    "my_mod_setting = 7\r\n";
const std::string kPrefs =
    "launcher_language = en\r\n"
    "launcher_key_prompts = off\r\n"
    "deck_preset_applied = 1\r\n";

std::wstring Wide(const std::string& utf8) { return i18n::Utf8ToWide(utf8); }

std::wstring TabText(HWND tab, int index) {
  wchar_t text[64] = {};
  TCITEMW item = {};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = 64;
  ::SendMessageW(tab, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
  return text;
}

std::wstring SelectedText(HWND combo) {
  LRESULT selected = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (selected < 0) return L"<none>";
  std::wstring text(static_cast<size_t>(::SendMessageW(combo, CB_GETLBTEXTLEN, selected, 0)) + 1, L'\0');
  ::SendMessageW(combo, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text.data()));
  text.resize(text.size() - 1);
  return text;
}

int SliderPosition(HWND slider) { return static_cast<int>(::SendMessageW(slider, TBM_GETPOS, 0, 0)); }

RECT ClientRectIn(HWND dialog, HWND child) {
  RECT box = {};
  ::GetWindowRect(child, &box);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
  return box;
}

// Picks Ukrainian, the last entry of the launcher page's language list, as a player does:
// the list focused, then End.
bool ChooseUkrainian(SettingsDialogDriver& driver) {
  if (!driver.ShowPage(1)) return false;
  HWND language = driver.Control("launcher_language");
  ::SetFocus(language);
  ::PostMessageW(language, WM_KEYDOWN, VK_END, 1);
  return WaitUntil([&] { return SelectedText(language) == L"Ukrainian"; });
}

class SettingsDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_.WriteFile("mirefall.toml", kConfig);
    folder_.WriteFile("launcher.ini", kPrefs);
  }
  void TearDown() override { i18n::SetUiLanguage(i18n::UiLanguage::English); }

  std::string File(const char* name) { return folder_.ReadFile(name).value_or("<missing>"); }
  settings::PrefsMap Prefs() { return settings::ParseLauncherPrefs(File("launcher.ini")); }

  // Saves with the button, answers the message boxes that come up and returns their texts.
  std::vector<std::wstring> SaveAndClose(SettingsDialogDriver& driver, int expectedBoxes = 0) {
    driver.Click(driver.Item(kSaveButtonId));
    std::vector<std::wstring> texts;
    for (int i = 0; i < expectedBoxes; ++i) {
      HWND box = driver.WaitForMessageBox();
      EXPECT_TRUE(box) << "message box " << i + 1 << " did not appear";
      if (!box) break;
      texts.push_back(StaticTexts(box));
      driver.PressOk(box);
      WaitUntil([&] { return !::IsWindow(box); });
    }
    EXPECT_EQ(driver.Result(), 1) << "Save closes the dialog with result 1";
    return texts;
  }

  TempGameFolder folder_{L"mf-settings"};
};

TEST_F(SettingsDialogTest, SevenTabsInOrderWithTranslatedNames) {
  const char* names[] = {"Graphics", "Advanced", "Mouse", "Controls", "Debug", "Experimental", "Native"};
  for (auto language : {i18n::UiLanguage::English, i18n::UiLanguage::Ukrainian}) {
    i18n::SetUiLanguage(language);
    SettingsDialogDriver driver(folder_);
    ASSERT_TRUE(driver.Open());
    HWND tab = driver.Item(kTabStripId);
    ASSERT_EQ(::SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0), kPageCount);
    for (int i = 0; i < kPageCount; ++i) EXPECT_EQ(TabText(tab, i), Wide(i18n::Translate(names[i])));
    EXPECT_EQ(WindowText(driver.Item(kSaveButtonId)), Wide(i18n::Translate("Save && Close")));
    ::PostMessageW(driver.dialog(), WM_CLOSE, 0, 0);
    EXPECT_EQ(driver.Result(), 2);
  }
}

// Each page shows exactly the rows of its tab; hidden rows get no control at all; the window
// keeps its size on every page.
TEST_F(SettingsDialogTest, EveryRowOnItsOwnPageAndTheWindowNeverResizes) {
  SettingsDialogDriver driver(folder_);
  ASSERT_TRUE(driver.Open());
  RECT first = {};
  ::GetWindowRect(driver.dialog(), &first);
  const auto& schema = settings::SettingsSchema();
  for (int page : {1, 2, 3, 4, 5, 6, 0}) {
    ASSERT_TRUE(driver.ShowPage(page)) << "page " << page;
    for (size_t r = 0; r < schema.size(); ++r) {
      HWND label = driver.Item(2000 + static_cast<int>(r)), control = driver.Item(1000 + static_cast<int>(r));
      int tab = static_cast<int>(schema[r].tab);
      SCOPED_TRACE(schema[r].key);
      if (tab > 6) {
        EXPECT_FALSE(label || control) << "a hidden row got controls";
        continue;
      }
      EXPECT_EQ(::IsWindowVisible(label) != FALSE, tab == page);
      EXPECT_EQ(::IsWindowVisible(control) != FALSE, tab == page);
      EXPECT_EQ(WindowText(label), Wide(schema[r].label));
    }
    RECT now = {};
    ::GetWindowRect(driver.dialog(), &now);
    EXPECT_TRUE(::EqualRect(&first, &now)) << "the window changed size on page " << page;
  }
  // Fits a Steam Deck's 1280 x 800 screen.
  EXPECT_LE(first.right - first.left, 1280);
  EXPECT_LE(first.bottom - first.top, 800);
}

// 21 rows: two columns of 11 and 10 rows, side by side, the first rows level.
TEST_F(SettingsDialogTest, GraphicsPageHasTwoColumns) {
  SettingsDialogDriver driver(folder_);
  ASSERT_TRUE(driver.Open());
  std::vector<HWND> labels;
  for (const auto& row : settings::SettingsSchema())
    if (row.tab == settings::SettingTab::Graphics) labels.push_back(driver.Label(row.key.c_str()));
  ASSERT_EQ(labels.size(), 21u);
  RECT firstLeft = ClientRectIn(driver.dialog(), labels[0]);
  RECT lastLeft = ClientRectIn(driver.dialog(), labels[10]);
  RECT firstRight = ClientRectIn(driver.dialog(), labels[11]);
  EXPECT_EQ(firstLeft.left, 18);
  EXPECT_EQ(firstRight.top, firstLeft.top);
  EXPECT_EQ(lastLeft.left, firstLeft.left);
  EXPECT_EQ(lastLeft.top - firstLeft.top, 300);
  EXPECT_GT(firstRight.left, firstLeft.left + 232 + 100);
}

TEST_F(SettingsDialogTest, SliderAndBoxStayInStep) {
  SettingsDialogDriver driver(folder_);
  ASSERT_TRUE(driver.Open());
  HWND casSlider = driver.Slider("present_cas_additional_sharpness");
  HWND casBox = driver.Control("present_cas_additional_sharpness");
  ASSERT_TRUE(casSlider);
  EXPECT_EQ(SliderPosition(casSlider), 250) << "0.25 of 0..1";
  EXPECT_EQ(WindowText(casBox), L"0.25");

  // The player nudges the slider with the arrow keys: 332, then one step right.
  ::SendMessageW(casSlider, TBM_SETPOS, TRUE, 332);
  PostKey(casSlider, VK_RIGHT);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(casBox) == L"0.333"; })) << "box shows " << WindowText(casBox).size();
  EXPECT_EQ(SliderPosition(casSlider), 333);

  ASSERT_TRUE(driver.ShowPage(3));
  HWND startBox = driver.Control("dualsense_rt_start"), startSlider = driver.Slider("dualsense_rt_start");
  ASSERT_TRUE(startSlider) << "Int 0..9 has a slider";
  EXPECT_EQ(SliderPosition(startSlider), 333) << "3 of 0..9";
  PostKey(startSlider, VK_RIGHT);  // one step of 1000 is still 3 once rounded
  PostKey(startSlider, VK_END);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(startBox) == L"9"; }));
  ASSERT_TRUE(driver.Type(startBox, L"12"));
  EXPECT_TRUE(WaitUntil([&] { return SliderPosition(startSlider) == 1000; })) << "12 is past the right end";

  SaveAndClose(driver);
  std::string config = File("mirefall.toml");
  EXPECT_NE(config.find("\r\ndualsense_rt_start = 12\r\n"), std::string::npos) << config;
  EXPECT_NE(config.find("\r\npresent_cas_additional_sharpness = 0.333\r\n"), std::string::npos);
}

TEST_F(SettingsDialogTest, SizesHaveNoSlider) {
  SettingsDialogDriver driver(folder_);
  ASSERT_TRUE(driver.Open());
  for (const char* key : {"window_width", "window_height"}) {
    EXPECT_FALSE(driver.Slider(key)) << key;
    RECT box = ClientRectIn(driver.dialog(), driver.Control(key));
    EXPECT_GT(box.right - box.left, 72) << key << " gets the whole control width";
  }
}

// A value the list does not know (a newer game's, or edited by hand) is shown and kept.
TEST_F(SettingsDialogTest, UnknownChoiceValueIsKeptThroughASave) {
  SettingsDialogDriver driver(folder_);
  ASSERT_TRUE(driver.Open());
  HWND effect = driver.Control("present_effect");
  EXPECT_EQ(SelectedText(effect), L"fsr4 (from mirefall.toml)");
  EXPECT_EQ(::SendMessageW(effect, CB_GETCURSEL, 0, 0), ::SendMessageW(effect, CB_GETCOUNT, 0, 0) - 1);
  SaveAndClose(driver);
  EXPECT_NE(File("mirefall.toml").find("\r\npresent_effect = \"fsr4\"\r\n"), std::string::npos);
}

TEST_F(SettingsDialogTest, PickingAnotherEntryReplacesTheUnknownValue) {
  SettingsDialogDriver driver(folder_);
  ASSERT_TRUE(driver.Open());
  HWND effect = driver.Control("present_effect");
  ::SetFocus(effect);
  ::PostMessageW(effect, WM_KEYDOWN, VK_HOME, 1);
  ASSERT_TRUE(WaitUntil([&] { return ::SendMessageW(effect, CB_GETCURSEL, 0, 0) == 0; }));
  SaveAndClose(driver);
  EXPECT_NE(File("mirefall.toml").find("\r\npresent_effect = \"bilinear\"\r\n"), std::string::npos);
}

// What is not a number is not written: the row keeps its value and the player hears which.
// A decimal comma is read as a point; a number beyond the range is saved as typed.
TEST_F(SettingsDialogTest, NumberBoxesSaveOnlyNumbers) {
  SettingsDialogDriver driver(folder_);
  ASSERT_TRUE(driver.Open());
  ASSERT_TRUE(driver.ShowPage(2));
  ASSERT_TRUE(driver.Type(driver.Control("mnk_sensitivity"), L"fast"));
  ASSERT_TRUE(driver.Type(driver.Control("mnk_auto_shake_hz"), L" 7,5 "));
  ASSERT_TRUE(driver.Type(driver.Control("mnk_deadzone_floor"), L"40000"));
  std::vector<std::wstring> boxes = SaveAndClose(driver, 1);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find(L"Mouse Sensitivity: \"fast\""), std::wstring::npos);
  EXPECT_EQ(boxes[0].find(L"Auto-shake"), std::wstring::npos);

  std::string config = File("mirefall.toml");
  EXPECT_NE(config.find("\r\nmnk_sensitivity = 1.0\r\n"), std::string::npos) << config;
  EXPECT_NE(config.find("\r\nmnk_auto_shake_hz = 7.5\r\n"), std::string::npos);
  EXPECT_NE(config.find("\r\nmnk_deadzone_floor = 40000\r\n"), std::string::npos);
}

// Cancel, Escape and the close box leave both files exactly as they were.
TEST_F(SettingsDialogTest, LeavingWithoutSavingWritesNothing) {
  enum class Way { CancelButton, Escape, CloseBox };
  for (Way way : {Way::CancelButton, Way::Escape, Way::CloseBox}) {
    SettingsDialogDriver driver(folder_);
    ASSERT_TRUE(driver.Open());
    ASSERT_TRUE(driver.Type(driver.Control("window_width"), L"1920"));
    ::SendMessageW(driver.Control("vsync"), BM_SETCHECK, BST_UNCHECKED, 0);
    switch (way) {
      case Way::CancelButton:
        driver.Click(driver.Item(kCancelButtonId));
        break;
      case Way::Escape:
        PostKey(driver.Control("window_width"), VK_ESCAPE);
        break;
      case Way::CloseBox:
        ::PostMessageW(driver.dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    }
    EXPECT_EQ(driver.Result(), 2);
    EXPECT_EQ(File("mirefall.toml"), kConfig);
    EXPECT_EQ(File("launcher.ini"), kPrefs);
    EXPECT_FALSE(folder_.ReadFile("mirefall.toml.backup"));
  }
}

// Save writes mirefall.toml as the config writer lays it out and launcher.ini as the
// preferences store does, the launcher-only rows going only to launcher.ini.
TEST_F(SettingsDialogTest, SaveWritesBothFiles) {
  folder_.WriteFile("launcher.ini", kPrefs + "launcher_prompt_style = PS_SOLID\r\nlauncher_steam_overlay = off\r\n");
  SettingsDialogDriver driver(folder_);
  ASSERT_TRUE(driver.Open());
  EXPECT_EQ(SelectedText(driver.Control("launcher_steam_overlay")),
            L"Off (fixes black screen / tinted quarter frame)");
  EXPECT_EQ(SelectedText(driver.Control("launcher_prompt_style")), L"Keyboard (keys from your bindings)")
      << "an unknown stored style reads as keyboard";
  ::SendMessageW(driver.Control("launcher_share_shader_cache"), CB_SETCURSEL, 1, 0);
  ::SendMessageW(driver.Control("fullscreen"), BM_SETCHECK, BST_CHECKED, 0);
  SaveAndClose(driver);

  std::string config = File("mirefall.toml");
  EXPECT_EQ(config, settings::FormatConfigText(settings::SettingsSchema(), {"my_mod_setting = 7"}));
  EXPECT_NE(config.find("\r\nfullscreen = true\r\n"), std::string::npos);
  EXPECT_EQ(config.find("launcher_"), std::string::npos) << "launcher-only rows stay out of the game's file";
  EXPECT_EQ(File("mirefall.toml.backup"), kConfig);

  std::string ini = File("launcher.ini");
  EXPECT_EQ(ini.rfind("; MFLauncher persistent settings", 0), 0u) << ini;
  settings::PrefsMap prefs = Prefs();
  EXPECT_EQ(prefs["launcher_steam_overlay"], "off");
  EXPECT_EQ(prefs["launcher_share_shader_cache"], "on");
  EXPECT_EQ(prefs["launcher_prompt_style"], "keyboard");
  EXPECT_EQ(prefs["launcher_language"], "en");
  EXPECT_EQ(prefs["deck_preset_applied"], "1") << "other preferences are kept";
  EXPECT_FALSE(prefs.count("launcher_key_prompts")) << "the older prompt key goes on save";
}

// mirefall.toml held open by another program: the store's error box says so, and the rest
// of the save (launcher.ini, the language) still happens and the dialog closes.
TEST_F(SettingsDialogTest, AFailedConfigSaveIsReportedAndTheRestIsSaved) {
  SettingsDialogDriver driver(folder_);
  ASSERT_TRUE(driver.Open());
  ::SendMessageW(driver.Control("launcher_steam_overlay"), CB_SETCURSEL, 1, 0);
  std::filesystem::path config = folder_.path() / "mirefall.toml";
  HANDLE holder = ::CreateFileW(config.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);

  driver.Click(driver.Item(kSaveButtonId));
  HWND box = WaitForProcessWindow(::GetCurrentProcessId(), L"#32770", L"MFLauncher \u2014 Save error");
  ASSERT_TRUE(box) << "no save-error box";
  EXPECT_NE(StaticTexts(box).find(config.wstring()), std::wstring::npos);
  EXPECT_EQ(::GetWindow(box, GW_OWNER), driver.dialog()) << "the dialog owns the box";
  EXPECT_FALSE(::IsWindowEnabled(driver.dialog())) << "Save cannot be pressed again while the box is up";
  driver.PressOk(box);
  EXPECT_EQ(driver.Result(), 1);
  ::CloseHandle(holder);

  EXPECT_EQ(File("mirefall.toml"), kConfig);
  EXPECT_EQ(Prefs()["launcher_steam_overlay"], "off");
}

// launcher.ini read-only, or held open so that it cannot even be read: the player is told
// that it was not saved, the language change is not claimed, and the overlay is not rebuilt
// from preferences that were never read.
TEST_F(SettingsDialogTest, AnUnsavedLauncherIniIsReportedAndTheLanguageStays) {
  enum class Fault { ReadOnly, Unreadable };
  for (Fault fault : {Fault::Unreadable, Fault::ReadOnly}) {
    SCOPED_TRACE(fault == Fault::ReadOnly ? "read-only" : "unreadable");
    const std::string overlay = "textures/2D1098B531AA9CA8.overlay.png";
    folder_.WriteFile(overlay, "the player's own picture");
    ASSERT_EQ(File(overlay.c_str()), "the player's own picture");
    SettingsDialogDriver driver(folder_);
    ASSERT_TRUE(driver.Open());
    ASSERT_TRUE(ChooseUkrainian(driver));

    std::filesystem::path ini = folder_.path() / "launcher.ini";
    std::unique_ptr<ChildProcess> holder;  // another program holding the file, sharing nothing
    if (fault == Fault::ReadOnly) {
      ASSERT_TRUE(::SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY));
    } else {
      holder = std::make_unique<ChildProcess>(BuildOutputFolder() / L"hold_file.exe",
                                              L"\"" + ini.wstring() + L"\" -1", folder_.path());
      ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(folder_.path() / "launcher.ini.held"); }));
    }
    driver.Click(driver.Item(kSaveButtonId));
    HWND box = WaitForProcessWindow(::GetCurrentProcessId(), L"#32770", L"MFLauncher \u2014 Save error");
    ASSERT_TRUE(box) << "no save-error box";
    EXPECT_NE(StaticTexts(box).find(ini.wstring()), std::wstring::npos) << "the box names launcher.ini";
    EXPECT_EQ(::GetWindow(box, GW_OWNER), driver.dialog());
    driver.PressOk(box);
    // A language box would keep the dialog open: it must close straight after.
    EXPECT_EQ(driver.Result(), 1) << "no word of a language change that was not stored";
    EXPECT_EQ(i18n::CurrentUiLanguage(), i18n::UiLanguage::English);
    if (fault == Fault::Unreadable) {
      EXPECT_EQ(File(overlay.c_str()), "the player's own picture") << "no overlay from preferences never read";
      holder.reset();
      std::filesystem::remove(folder_.path() / "launcher.ini.held");
      EXPECT_EQ(File("launcher.ini"), kPrefs);
    } else {
      ::SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
      EXPECT_EQ(File("launcher.ini"), kPrefs);
    }
  }
}

TEST_F(SettingsDialogTest, LegacyPromptKeyOpensAsXbox) {
  SettingsDialogDriver driver(folder_);
  ASSERT_TRUE(driver.Open());
  EXPECT_EQ(SelectedText(driver.Control("launcher_prompt_style")), L"Xbox (original icons)");
}

TEST_F(SettingsDialogTest, ChangingTheLanguageSaysSoInTheNewLanguage) {
  SettingsDialogDriver driver(folder_);
  ASSERT_TRUE(driver.Open());
  ASSERT_TRUE(ChooseUkrainian(driver));
  std::vector<std::wstring> boxes = SaveAndClose(driver, 1);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find(Wide("Мову лаунчера змінено. Перезапустіть лаунчер, щоб застосувати зміни.")),
            std::wstring::npos)
      << "the box speaks Ukrainian";
  EXPECT_EQ(i18n::CurrentUiLanguage(), i18n::UiLanguage::Ukrainian);
  EXPECT_EQ(Prefs()["launcher_language"], "uk");
}

TEST_F(SettingsDialogTest, SavingWithoutALanguageChangeShowsNoMessage) {
  SettingsDialogDriver driver(folder_);
  ASSERT_TRUE(driver.Open());
  driver.Click(driver.Item(kSaveButtonId));
  EXPECT_EQ(driver.Result(), 1);
  EXPECT_FALSE(FindProcessWindow(::GetCurrentProcessId(), L"#32770", kMessageCaption));
  EXPECT_EQ(Prefs()["launcher_language"], "en");
}

// Tab walks the visible page's controls and the buttons, never a hidden page's; the arrow
// keys on the tab strip and Ctrl+Tab switch pages.
TEST_F(SettingsDialogTest, KeyboardMovesThroughTheVisiblePage) {
  SettingsDialogDriver driver(folder_);
  ASSERT_TRUE(driver.Open());
  HWND tab = driver.Item(kTabStripId);
  ASSERT_TRUE(WaitUntil([&] { return driver.Focus() == tab; })) << "the tab strip has the focus first";

  PostKey(tab, VK_RIGHT);
  ASSERT_TRUE(WaitUntil([&] { return driver.CurrentPage() == 1; }));
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(driver.Label("launcher_language")) != FALSE; }));

  std::set<HWND> visited;
  for (int i = 0; i < 40 && !visited.count(driver.Item(kCancelButtonId)); ++i) {
    HWND before = driver.Focus();
    PostKey(before, VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return driver.Focus() != before; })) << "Tab moved nowhere";
    HWND now = driver.Focus();
    HWND control = ::GetParent(now) == driver.dialog() ? now : ::GetParent(now);  // a combo's inner parts
    EXPECT_TRUE(::IsWindowVisible(control)) << "Tab reached a hidden control";
    visited.insert(control);
  }
  EXPECT_TRUE(visited.count(driver.Control("launcher_language")));
  EXPECT_TRUE(visited.count(driver.Control("mf_skip_intro")));
  EXPECT_TRUE(visited.count(driver.Item(kSaveButtonId)));
  EXPECT_TRUE(visited.count(driver.Item(kCancelButtonId)));
  EXPECT_FALSE(visited.count(driver.Control("vsync"))) << "a Graphics control on the Advanced page";

  // Ctrl+Tab, typed as a player types it: real key input goes to the foreground window.
  ::SetForegroundWindow(driver.dialog());
  ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == driver.dialog(); }));
  INPUT keys[4] = {};
  WORD sequence[4][2] = {{VK_CONTROL, 0}, {VK_TAB, 0}, {VK_TAB, KEYEVENTF_KEYUP}, {VK_CONTROL, KEYEVENTF_KEYUP}};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = sequence[i][0];
    keys[i].ki.dwFlags = sequence[i][1];
  }
  ::SendInput(4, keys, sizeof(INPUT));
  EXPECT_TRUE(WaitUntil([&] { return driver.CurrentPage() == 2; })) << "Ctrl+Tab goes to the next page";
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(driver.Label("mnk_mode")) != FALSE; }));
}

// The pointer resting on a label with a tooltip brings the tooltip up.
TEST_F(SettingsDialogTest, TooltipShowsOverItsLabel) {
  SettingsDialogDriver driver(folder_);
  ASSERT_TRUE(driver.Open());
  ASSERT_TRUE(driver.ShowPage(6));
  RECT label = {};
  ::GetWindowRect(driver.Label("mf_native_render"), &label);
  POINT rest = {label.left + 40, (label.top + label.bottom) / 2};
  MovePointer(rest.x - 30, rest.y - 40);  // from above the label, onto it
  MovePointer(rest.x, rest.y);
  HWND tooltip = nullptr;
  EXPECT_TRUE(WaitUntil([&] {
    return (tooltip = FindProcessWindow(::GetCurrentProcessId(), TOOLTIPS_CLASSW)) != nullptr;
  })) << "no tooltip appeared over the label";
  if (tooltip) {
    RECT tip = {};
    ::GetWindowRect(tooltip, &tip);
    EXPECT_LT(std::abs(tip.top - label.bottom), 80) << "the tooltip shows by the pointer";
    EXPECT_GT(tip.right - tip.left, 200) << "the long text is wrapped at its width, not a sliver";
  }
  MovePointer(0, 0);
}

}  // namespace
}  // namespace mf::test

#include <gtest/gtest.h>

#include "dialog/launcher_rows.h"
#include "settings/settings_schema.h"

namespace mf::dialog {
namespace {

using settings::FindSetting;

class LauncherRowsTest : public testing::Test {
 protected:
  void SetUp() override {
    settings::BuildSettingsSchema();
    settings::LauncherPrefs().clear();
  }
  void TearDown() override { settings::LauncherPrefs().clear(); }
  std::string Value(const char* key) { return FindSetting(key)->value; }
};

TEST_F(LauncherRowsTest, FillReadsThePreferencesStrictly) {
  settings::LauncherPrefs() = {{"launcher_steam_overlay", "OFF"}, {"launcher_share_shader_cache", "on"},
                               {"launcher_prompt_style", "ps_outline"}};
  FillLauncherRows(settings::SettingsSchema(), i18n::UiLanguage::Ukrainian);
  EXPECT_EQ(Value("launcher_language"), "uk");
  EXPECT_EQ(Value("launcher_steam_overlay"), "on") << "only exactly \"off\" is off";
  EXPECT_EQ(Value("launcher_share_shader_cache"), "on");
  EXPECT_EQ(Value("launcher_prompt_style"), "ps_outline");
}

TEST_F(LauncherRowsTest, FillWithoutPreferences) {
  FillLauncherRows(settings::SettingsSchema(), i18n::UiLanguage::English);
  EXPECT_EQ(Value("launcher_language"), "en");
  EXPECT_EQ(Value("launcher_steam_overlay"), "on");
  EXPECT_EQ(Value("launcher_share_shader_cache"), "off");
  EXPECT_EQ(Value("launcher_prompt_style"), "keyboard");
}

TEST_F(LauncherRowsTest, LegacyPromptKeyOffMeansXbox) {
  settings::LauncherPrefs() = {{"launcher_key_prompts", "off"}};
  FillLauncherRows(settings::SettingsSchema(), i18n::UiLanguage::English);
  EXPECT_EQ(Value("launcher_prompt_style"), "xbox");
  settings::LauncherPrefs() = {{"launcher_key_prompts", "on"}};
  FillLauncherRows(settings::SettingsSchema(), i18n::UiLanguage::English);
  EXPECT_EQ(Value("launcher_prompt_style"), "keyboard");
}

TEST_F(LauncherRowsTest, StoreValidatesAndDropsTheOlderPromptKey) {
  FindSetting("launcher_steam_overlay")->value = "maybe";
  FindSetting("launcher_share_shader_cache")->value = "on";
  FindSetting("launcher_prompt_style")->value = "PS_SOLID";
  settings::PrefsMap prefs = {{"launcher_key_prompts", "off"}, {"deck_preset_applied", "1"}};
  StoreLauncherRows(settings::SettingsSchema(), prefs);
  EXPECT_EQ(prefs["launcher_steam_overlay"], "on");
  EXPECT_EQ(prefs["launcher_share_shader_cache"], "on");
  EXPECT_EQ(prefs["launcher_prompt_style"], "keyboard");
  EXPECT_FALSE(prefs.count("launcher_key_prompts"));
  EXPECT_EQ(prefs["deck_preset_applied"], "1");
  EXPECT_FALSE(prefs.count("launcher_language")) << "the language is stored by its own write-back";
}

TEST_F(LauncherRowsTest, ChosenLanguage) {
  FindSetting("launcher_language")->value = "uk";
  EXPECT_EQ(ChosenLanguageCode(settings::SettingsSchema(), i18n::UiLanguage::English), "uk");
  std::vector<settings::SettingDef> noRow;
  EXPECT_EQ(ChosenLanguageCode(noRow, i18n::UiLanguage::Ukrainian), "uk");
}

}  // namespace
}  // namespace mf::dialog

#include "settings/launcher_language.h"

#include <gtest/gtest.h>

#include "settings/launcher_prefs.h"
#include "temp_folder.h"

namespace mf::settings {
namespace {

using i18n::UiLanguage;
using namespace std::string_literals;

struct StartFiles {
  std::optional<std::string> launcherIni, mirefallToml, launcherLang;
};

StartFiles Files(std::optional<std::string> launcherIni, std::optional<std::string> mirefallToml = std::nullopt,
                 std::optional<std::string> launcherLang = std::nullopt) {
  return {std::move(launcherIni), std::move(mirefallToml), std::move(launcherLang)};
}

struct LanguageCase {
  const char* name;
  StartFiles before;
  UiLanguage decided;
  std::optional<std::string> iniAfter;  // launcher.ini after the decision
  bool langFileKept;                    // whether launcher.lang is still there
};

const std::string kIniHeader =
    "; MFLauncher persistent settings (read by launcher only \xE2\x80\x94 SDK never\r\n"
    "; touches this file, so settings survive F4 SaveConfig wipes).\r\n";

void WriteIfPresent(const std::filesystem::path& path, const std::optional<std::string>& text) {
  if (text) testing::WriteBytes(path, *text);
}

TEST(DecideStartupLanguage, PreferenceThenConfigThenLegacyFile) {
  const LanguageCase cases[] = {
      {"nothing at all gives English", {}, UiLanguage::English, std::nullopt, false},
      {"preference uk", Files("launcher_language = uk\n"), UiLanguage::Ukrainian, "launcher_language = uk\n", false},
      {"key case does not matter", Files("Launcher_Language=uk\n"), UiLanguage::Ukrainian, "Launcher_Language=uk\n",
       false},
      {"preference wins over launcher.lang, which is then not read",
       Files("launcher_language = en\n", std::nullopt, "uk\r\n"), UiLanguage::English, "launcher_language = en\n",
       true},
      {"a quoted preference is no language; the config is not asked, launcher.lang is",
       Files("launcher_language = \"uk\"\n", "launcher_language = \"en\"\n", "uk\r\n"), UiLanguage::Ukrainian,
       kIniHeader + "launcher_language = uk\r\n", false},
      {"the config's line counts when the preference is missing",
       Files(std::nullopt, "# c\n  launcher_language = 'uk' # from an older launcher\n"), UiLanguage::Ukrainian,
       std::nullopt, false},
      {"only the config's first launcher_language line counts",
       Files(std::nullopt, "launcher_language = \"en\"\nlauncher_language = \"uk\"\n"), UiLanguage::English,
       std::nullopt, false},
      {"launcher.lang uk with CR LF moves into launcher.ini",
       Files(std::nullopt, std::nullopt, "uk\r\n"), UiLanguage::Ukrainian, kIniHeader + "launcher_language = uk\r\n",
       false},
      {"launcher.lang with a byte-order mark", Files(std::nullopt, std::nullopt, "\xEF\xBB\xBFuk\n"),
       UiLanguage::Ukrainian, kIniHeader + "launcher_language = uk\r\n", false},
      {"launcher.lang en moves too", Files(std::nullopt, "vsync = true\n", "en  \n"), UiLanguage::English,
       kIniHeader + "launcher_language = en\r\n", false},
      {"launcher.lang UK is ignored and kept", Files(std::nullopt, std::nullopt, "UK\n"), UiLanguage::English,
       std::nullopt, true},
      {"launcher.lang: only the first line counts", Files(std::nullopt, std::nullopt, "\nuk\n"), UiLanguage::English,
       std::nullopt, true},
      {"a config value that is no language falls through to launcher.lang",
       Files(std::nullopt, "launcher_language = de\n", "uk"), UiLanguage::Ukrainian,
       kIniHeader + "launcher_language = uk\r\n", false},
      {"binary garbage everywhere", Files("\xFF\x00=\x01"s, "\x80=\xFE", "\xC3"), UiLanguage::English,
       "\xFF\x00=\x01"s, true},
  };
  for (const LanguageCase& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TempFolder folder;
    WriteIfPresent(folder / "launcher.ini", c.before.launcherIni);
    WriteIfPresent(folder / "mirefall.toml", c.before.mirefallToml);
    WriteIfPresent(folder / "launcher.lang", c.before.launcherLang);

    // The look a waiting window takes first gives the same answer and changes no file.
    EXPECT_EQ(PeekStartupLanguage(folder.path()), c.decided);
    EXPECT_EQ(testing::ReadBytes(folder / "launcher.ini"), c.before.launcherIni);
    EXPECT_EQ(testing::ReadBytes(folder / "launcher.lang"), c.before.launcherLang);

    EXPECT_EQ(DecideStartupLanguage(folder.path()), c.decided);
    EXPECT_EQ(testing::ReadBytes(folder / "launcher.ini"), c.iniAfter);
    EXPECT_EQ(std::filesystem::exists(folder / "launcher.lang"), c.langFileKept && c.before.launcherLang);
  }
}

TEST(DecideStartupLanguage, LegacyFileStaysWhenThePreferenceCannotBeSaved) {
  testing::TempFolder folder;
  testing::WriteBytes(folder / "launcher.lang", "uk\n");
  std::filesystem::create_directory(folder / "launcher.ini");  // cannot be replaced by a file
  EXPECT_EQ(DecideStartupLanguage(folder.path()), UiLanguage::Ukrainian);
  EXPECT_TRUE(std::filesystem::exists(folder / "launcher.lang"));
}

TEST(DecideStartupLanguage, LoadsThePreferencesForEveryoneElse) {
  testing::TempFolder folder;
  testing::WriteBytes(folder / "launcher.ini", "launcher_steam_overlay = off\n");
  DecideStartupLanguage(folder.path());
  ASSERT_NE(FindLauncherPref("launcher_steam_overlay"), nullptr);
  EXPECT_EQ(*FindLauncherPref("launcher_steam_overlay"), "off");
}

TEST(StoreLanguagePreference, KeepsTheOtherPreferences) {
  testing::TempFolder folder;
  std::filesystem::path game = folder / "Ігри Mirefall";
  std::filesystem::create_directory(game);
  testing::WriteBytes(game / "launcher.ini", "\xEF\xBB\xBFlauncher_native_offer_v2 = no\nlauncher_language = en\n");
  ASSERT_TRUE(StoreLanguagePreference(game, UiLanguage::Ukrainian));
  PrefsMap written = ParseLauncherPrefs(testing::ReadBytes(game / "launcher.ini").value());
  EXPECT_EQ(written, (PrefsMap{{"launcher_native_offer_v2", "no"}, {"launcher_language", "uk"}}));
  EXPECT_EQ(LanguageCode(UiLanguage::English), "en");
}

TEST(FindLauncherLanguageInConfigText, FirstKeyLineOnly) {
  struct Case {
    std::string text;
    std::optional<std::string> value;
  } cases[] = {
      {"", std::nullopt},
      {"launcher_language_x = uk\n", std::nullopt},
      {"# launcher_language = uk\n", std::nullopt},
      {"launcher_language\t = \t\"uk\" # c\r\n", "uk"},
      {"launcher_language = ''uk''", "uk"},
      {"launcher_language =\nlauncher_language = uk\n", ""},
      {"Launcher_Language = uk\n", std::nullopt},
      // Only a top-level key counts: not one under a table header, nor a line of a string.
      {"[launcher]\nlauncher_language = uk\n", std::nullopt},
      {"x = '''\nlauncher_language = uk\n'''\nlauncher_language = en\n", "en"},
      {"\"launcher_language\" = 'uk'\n", "uk"},
  };
  for (const Case& c : cases) EXPECT_EQ(FindLauncherLanguageInConfigText(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace mf::settings

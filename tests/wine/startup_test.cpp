// What a real start of PlayMirefall.exe does to the files beside it, and the language the
// title window then speaks: files in, start, files out.
#include <gtest/gtest.h>

#include <algorithm>

#include "wine_test_support.h"

namespace mf::test {
namespace {

constexpr char kPrefsHeader[] =
    "; MFLauncher persistent settings (read by launcher only \xE2\x80\x94 SDK never\r\n"
    "; touches this file, so settings survive F4 SaveConfig wipes).\r\n";

// launcher.ini after a start whose one-time questions were declined: the header, then the
// language and the two answers, in the map's order.
void ExpectPrefsFile(const std::optional<std::string>& text, const std::string& language) {
  ASSERT_TRUE(text);
  ASSERT_EQ(text->rfind(kPrefsHeader, 0), 0u) << *text;
  std::vector<std::string> lines;
  for (size_t at = sizeof kPrefsHeader - 1; at < text->size();) {
    size_t end = text->find("\r\n", at);
    ASSERT_NE(end, std::string::npos) << "every line ends in CR LF";
    lines.push_back(text->substr(at, end - at));
    at = end + 2;
  }
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines, (std::vector<std::string>{"launcher_language = " + language, "launcher_native_offer_v2 = no",
                                             "launcher_share_shader_cache = off"}));
}

struct LanguageCase {
  const char* name;
  std::optional<std::string> launcherIni, mirefallToml, launcherLang;
  const char* expectedLanguage;
  bool legacyFileKept;
};

class StartupLanguageTest : public testing::TestWithParam<LanguageCase> {};

TEST_P(StartupLanguageTest, DecidesAndStoresTheLanguage) {
  const LanguageCase& c = GetParam();
  TempGameFolder folder;
  folder.AddProgram(L"PlayMirefall.exe", L"PlayMirefall.exe");
  if (c.launcherIni) folder.WriteFile("launcher.ini", *c.launcherIni);
  if (c.mirefallToml) folder.WriteFile("mirefall.toml", *c.mirefallToml);
  if (c.launcherLang) folder.WriteFile("launcher.lang", *c.launcherLang);

  RunningLauncher launcher = StartLauncher(folder);
  ASSERT_TRUE(launcher.window);
  EXPECT_EQ(CloseLauncher(launcher), 0u);

  ExpectPrefsFile(folder.ReadFile("launcher.ini"), c.expectedLanguage);
  EXPECT_EQ(folder.ReadFile("launcher.lang"), c.legacyFileKept ? c.launcherLang : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    FilesInFilesOut, StartupLanguageTest,
    testing::Values(
        LanguageCase{"NothingGivesEnglish", {}, {}, {}, "en", false},
        LanguageCase{"LegacyUkrainianMovesIntoThePreferences", {}, {}, "uk\r\n", "uk", false},
        LanguageCase{"LegacyUpperCaseIsIgnoredAndKept", {}, {}, "UK", "en", true},
        LanguageCase{"PreferenceWinsOverTheLegacyFile", "launcher_language = uk\r\n", {}, "en\r\n", "uk", true},
        LanguageCase{"ConfigFileLanguageIsTheFallback", {}, "launcher_language = \"uk\"\r\n", {}, "uk", false},
        LanguageCase{"PreferenceBehindAByteOrderMark", "\xEF\xBB\xBFLauncher_Language=uk\r\n", {}, {}, "uk", false},
        LanguageCase{"QuotedPreferenceIsNoLanguage", "launcher_language = \"uk\"\r\n", {}, "en", "en", false}),
    [](const testing::TestParamInfo<LanguageCase>& info) { return std::string(info.param.name); });

TEST(StartupRepair, MissingGameKeysAreSeededOnce) {
  TempGameFolder folder;
  folder.AddProgram(L"PlayMirefall.exe", L"PlayMirefall.exe");
  folder.WriteFile("mirefall.toml", "game_data_root = \"./assets\"\r\n");

  RunningLauncher launcher = StartLauncher(folder);
  ASSERT_TRUE(launcher.window);
  EXPECT_EQ(CloseLauncher(launcher), 0u);
  std::string repaired = folder.ReadFile("mirefall.toml").value_or("");
  EXPECT_EQ(repaired.rfind("game_data_root = \"./assets\"\r\n\r\n"
                           "# Auto-tuned defaults (seeded by launcher \xE2\x80\x94 self-heals F4 SaveConfig wipes)\r\n"
                           "render_target_path_d3d12 = \"rov\"\r\n",
                           0),
            0u);
  EXPECT_NE(repaired.find("\r\nlog_max_file_size_mb = 5\r\n"), std::string::npos);
  EXPECT_EQ(repaired.find("launcher_language"), std::string::npos) << "launcher-only keys stay out of the game's file";

  // A second start finds nothing to mend.
  RunningLauncher again = StartLauncher(folder);
  ASSERT_TRUE(again.window);
  EXPECT_EQ(CloseLauncher(again), 0u);
  EXPECT_EQ(folder.ReadFile("mirefall.toml"), repaired);
}

// The width of the light label text of the middle button, Settings, on the title screen.
int SettingsLabelWidth(HWND window) {
  auto labelWidth = [](const Capture& shown) { return shown.BrightSpan(972, 658, 1100, 690, 200); };
  Capture shown = CaptureSettled(window, [&](const Capture& frame) { return labelWidth(frame) > 0; });
  return shown.width > 0 ? labelWidth(shown) : 0;
}

// A player whose folders have Cyrillic names and spaces, who chose Ukrainian in an older
// launcher: the start migrates the choice, mends the game's file, speaks Ukrainian, and PLAY
// starts the game from that folder.
TEST(CyrillicFolder, UkrainianPlayerStartsTheGame) {
  TempGameFolder english(L"mf-english");
  english.AddProgram(L"PlayMirefall.exe", L"PlayMirefall.exe");
  RunningLauncher englishLauncher = StartLauncher(english);
  ASSERT_TRUE(englishLauncher.window);
  int englishLabel = SettingsLabelWidth(englishLauncher.window);
  EXPECT_EQ(CloseLauncher(englishLauncher), 0u);

  TempGameFolder folder(L"\u0406\u0433\u0440\u0438 Mirefall \u0417\u0430\u0433\u0430\u0434\u043A\u0430");
  folder.AddProgram(L"PlayMirefall.exe", L"PlayMirefall.exe");
  folder.AddProgram(L"mirefall.exe", L"mirefall.exe");
  folder.WriteFile("launcher.lang", "uk\r\n");
  folder.WriteFile("mirefall.toml", "game_data_root = \"./assets\"\r\nvsync = false\r\n");

  RunningLauncher launcher = StartLauncher(folder);
  ASSERT_TRUE(launcher.window);
  ExpectPrefsFile(folder.ReadFile("launcher.ini"), "uk");
  EXPECT_FALSE(folder.ReadFile("launcher.lang"));
  std::string config = folder.ReadFile("mirefall.toml").value_or("");
  EXPECT_EQ(config.rfind("game_data_root = \"./assets\"\r\nvsync = false\r\n\r\n# Auto-tuned defaults", 0), 0u);

  // «Налаштування» is drawn far wider than "Settings", even at the smaller size the three
  // Ukrainian labels share.
  EXPECT_GT(SettingsLabelWidth(launcher.window), englishLabel + 24);

  PostKey(launcher.window, VK_RETURN);
  EXPECT_EQ(launcher.process->WaitForExit(), 0u);
  ASSERT_TRUE(WaitUntil([&] { return folder.ReadFile("mirefall_started.txt").has_value(); }));
  EXPECT_NE(folder.ReadFile("mirefall_started.txt")->find("command_line=\"" + Utf8(folder.path()) +
                                                          "\\mirefall.exe\" --game_data_root assets\n"),
            std::string::npos);
}

}  // namespace
}  // namespace mf::test

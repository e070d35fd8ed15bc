#include "settings/launcher_prefs.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace mf::settings {
namespace {

TEST(ParseLauncherPrefs, KeysLowerCasedValuesAsWritten) {
  PrefsMap prefs = ParseLauncherPrefs(
      "; MFLauncher persistent settings\r\n"
      "Launcher_Language=uk\r\n"
      "  launcher_steam_overlay =   off  \t\r\n"
      "launcher_prompt_style = \"xbox\" # kept\n"
      "# comment = ignored\n"
      "[section]\n"
      "no equals sign\n"
      "launcher_language = en\n"  // a later line wins
      "empty =\n");
  EXPECT_EQ(prefs.at("launcher_language"), "en");
  EXPECT_EQ(prefs.at("launcher_steam_overlay"), "off");
  EXPECT_EQ(prefs.at("launcher_prompt_style"), "\"xbox\" # kept");
  EXPECT_EQ(prefs.at("empty"), "");
  EXPECT_EQ(prefs.count("# comment"), 0u);
  EXPECT_EQ(prefs.size(), 4u);
}

TEST(ParseLauncherPrefs, OddFiles) {
  struct Case {
    const char* name;
    std::string text;
    PrefsMap expected;
  } cases[] = {
      {"last line without line end", "launcher_steam_overlay = off", {{"launcher_steam_overlay", "off"}}},
      {"byte-order mark before the first key", "\xEF\xBB\xBFlauncher_language = uk\r\n", {{"launcher_language", "uk"}}},
      {"CR-only line ends", "a = 1\rB = 2\r", {{"a", "1"}, {"b", "2"}}},
      {"quoted value keeps its quotes", "launcher_language = \"uk\"\n", {{"launcher_language", "\"uk\""}}},
      {"non-ASCII key letters are left alone", "Ключ = Так\n", {{"Ключ", "Так"}}},
      {"empty key", "= x\n", {{"", "x"}}},
      {"'=' in the value", "a = b = c\n", {{"a", "b = c"}}},
      {"binary garbage", std::string("\x00\xFF=\x01\n\x80\x80", 7), {{std::string("\x00\xFF", 2), "\x01"}}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseLauncherPrefs(c.text), c.expected) << c.name;
}

TEST(FormatLauncherPrefs, HeaderThenOneLinePerEntry) {
  EXPECT_EQ(FormatLauncherPrefs(PrefsMap{{"launcher_language", "uk"}}),
            "; MFLauncher persistent settings (read by launcher only \xE2\x80\x94 SDK never\r\n"
            "; touches this file, so settings survive F4 SaveConfig wipes).\r\n"
            "launcher_language = uk\r\n");
}

TEST(LauncherPrefs, StartsEmptyWithEightBuckets) {
  PrefsMap prefs = ParseLauncherPrefs("");
  EXPECT_TRUE(prefs.empty());
  EXPECT_GE(prefs.bucket_count(), 8u);
  EXPECT_FLOAT_EQ(prefs.max_load_factor(), 1.0f);
}

TEST(FormatLauncherPrefs, FileOrderFirstThenNewKeysByName) {
  const std::string file = "; comment\r\nzeta = 1\r\nLauncher_Language = uk\r\nalpha = 2\r\nzeta = 3\r\n";
  PrefsMap prefs = ParseLauncherPrefs(file);
  prefs.erase("alpha");
  prefs["new_b"] = "b";
  prefs["new_a"] = "a";
  std::string text = FormatLauncherPrefs(prefs, LauncherPrefsKeyOrder(file));
  EXPECT_EQ(text.substr(text.find("zeta")),
            "zeta = 3\r\nlauncher_language = uk\r\nnew_a = a\r\nnew_b = b\r\n");
  EXPECT_EQ(FormatLauncherPrefs(prefs, LauncherPrefsKeyOrder(text)), text) << "saved again, the same bytes";
}

TEST(WriteLauncherPrefs, KeepsTheFileOrderSoSavingTwiceGivesTheSameBytes) {
  testing::TempFolder folder;
  std::filesystem::path ini = LauncherPrefsPath(folder.path());
  std::string keys;
  for (char c = 'z'; c >= 'a'; --c) keys += std::string("key_") + c + " = " + c + "\n";  // enough to rehash
  testing::WriteBytes(ini, keys);
  ReadLauncherPrefs(ini);
  LauncherPrefs()["deck_preset_applied"] = "1";
  ASSERT_TRUE(WriteLauncherPrefs(ini));
  std::optional<std::string> first = testing::ReadBytes(ini);
  ASSERT_TRUE(first);
  EXPECT_LT(first->find("key_z"), first->find("key_a"));
  EXPECT_LT(first->find("key_a"), first->find("deck_preset_applied"));

  ReadLauncherPrefs(ini);
  ASSERT_TRUE(WriteLauncherPrefs(ini));
  EXPECT_EQ(testing::ReadBytes(ini), first);
}

TEST(WriteLauncherPrefs, WritesWhatReadingGivesBack) {
  testing::TempFolder folder;
  std::filesystem::path ini = LauncherPrefsPath(folder.path());
  LauncherPrefs() = ParseLauncherPrefs("launcher_language = uk\ndeck_preset_applied = 1\nfp = \"# x\"\n");
  ASSERT_TRUE(WriteLauncherPrefs(ini));
  PrefsMap written = LauncherPrefs();
  ReadLauncherPrefs(ini);
  EXPECT_EQ(LauncherPrefs(), written);
  ASSERT_NE(FindLauncherPref("fp"), nullptr);
  EXPECT_EQ(*FindLauncherPref("fp"), "\"# x\"");
  EXPECT_EQ(testing::FolderEntries(folder.path()), std::vector<std::string>{"launcher.ini"});
}

TEST(WriteLauncherPrefs, ReadOnlyFileStaysAsItWas) {
  testing::TempFolder folder;
  std::filesystem::path ini = folder / "launcher.ini";
  testing::WriteBytes(ini, "launcher_language = en\n");
  std::filesystem::permissions(ini, std::filesystem::perms::owner_read);
  LauncherPrefs() = ParseLauncherPrefs("launcher_language = uk\n");
  EXPECT_FALSE(WriteLauncherPrefs(ini));
  EXPECT_EQ(testing::ReadBytes(ini), "launcher_language = en\n");
  EXPECT_EQ(testing::FolderEntries(folder.path()), std::vector<std::string>{"launcher.ini"});
}

TEST(WriteLauncherPrefs, AFileThatAlreadySaysSoIsNotWrittenAgain) {
  testing::TempFolder folder;
  std::filesystem::path ini = folder / "launcher.ini";
  LauncherPrefs() = ParseLauncherPrefs("launcher_language = uk\n");
  ASSERT_TRUE(WriteLauncherPrefs(ini));
  const auto written = testing::ReadBytes(ini);
  // Read-only, so that a second write would fail: it must not be tried.
  std::filesystem::permissions(ini, std::filesystem::perms::owner_read);
  ReadLauncherPrefs(ini);
  EXPECT_TRUE(WriteLauncherPrefs(ini));
  EXPECT_EQ(testing::ReadBytes(ini), written);
  LauncherPrefs()["launcher_language"] = "en";
  EXPECT_FALSE(WriteLauncherPrefs(ini)) << "a change is still written, and fails on a read-only file";
  std::filesystem::permissions(ini, std::filesystem::perms::owner_all);
}

TEST(ReadLauncherPrefs, MissingFileGivesAnEmptyMap) {
  testing::TempFolder folder;
  LauncherPrefs() = ParseLauncherPrefs("x = 1\n");
  ReadLauncherPrefs(folder / "launcher.ini");
  EXPECT_TRUE(LauncherPrefs().empty());
  EXPECT_EQ(FindLauncherPref("x"), nullptr);
}

TEST(WriteLauncherPrefs, AFileThatCouldNotBeReadIsNotWrittenOver) {
#ifdef _WIN32
  GTEST_SKIP() << "the fixture is a POSIX symbolic link; under Wine a file held open stands for it";
#else
  // A link that leads to itself: the name is taken and cannot be read, yet a new file could
  // take its place, as with a launcher.ini that another program holds or that the player
  // may not read.
  testing::TempFolder folder;
  std::filesystem::path ini = folder / "launcher.ini";
  std::filesystem::create_symlink("launcher.ini", ini);
  LauncherPrefs() = ParseLauncherPrefs("x = 1\n");
  EXPECT_FALSE(ReadLauncherPrefs(ini));
  EXPECT_TRUE(LauncherPrefs().empty());

  // The map lacks whatever that file holds (the one-time answers), so it is not saved.
  LauncherPrefs()["launcher_language"] = "uk";
  EXPECT_FALSE(WriteLauncherPrefs(ini));
  EXPECT_TRUE(std::filesystem::is_symlink(ini));
  EXPECT_EQ(testing::FolderEntries(folder.path()), std::vector<std::string>{"launcher.ini"});

  // A good read (a missing file counts) lifts the refusal.
  std::filesystem::remove(ini);
  EXPECT_TRUE(ReadLauncherPrefs(ini));
  LauncherPrefs()["launcher_language"] = "uk";
  EXPECT_TRUE(WriteLauncherPrefs(ini));
  EXPECT_NE(testing::ReadBytes(ini).value_or("").find("launcher_language = uk\r\n"), std::string::npos);
#endif
}

}  // namespace
}  // namespace mf::settings

#include "settings/config_reader.h"

#include <gtest/gtest.h>

#include "settings/config_file.h"
#include "settings/settings_schema.h"
#include "settings/settings_schema_table.h"
#include "temp_folder.h"
#include "settings_test_support.h"

namespace mf::settings {
namespace {

using namespace std::string_literals;

struct ReadCase {
  const char* name;
  std::string text;
  std::vector<std::pair<std::string, std::string>> values;  // key -> expected value after the read
  std::vector<std::string> extraLines;
};

void ExpectRead(const ReadCase& c) {
  SCOPED_TRACE(c.name);
  std::vector<SettingDef> schema = DefaultSettingRows();
  EXPECT_EQ(ApplyConfigText(c.text, schema), c.extraLines);
  for (const auto& [key, value] : c.values) {
    const SettingDef* row = FindSetting(schema, key);
    ASSERT_NE(row, nullptr) << key;
    EXPECT_EQ(row->value, value) << key;
  }
}

TEST(ApplyConfigText, LinesOfTheFile) {
  const ReadCase cases[] = {
      {"plain values, any spacing",
       "vsync=false\n  window_width   =\t1920  \nkeybind_a = \"Q,LMB\"\n",
       {{"vsync", "false"}, {"window_width", "1920"}, {"keybind_a", "Q,LMB"}},
       {}},
      {"repeated quote pairs", "keybind_b = ''x''\n", {{"keybind_b", "x"}}, {}},
      {"comments and lines that are no header vanish, indented ones too",
       "# comment = 1\n\t# another\n[x = 1]\n  [\nvsync = false\n",
       {{"vsync", "false"}},
       {}},
      {"unknown key kept exactly as written, comment and indent included",
       "  unknown_key = 5 # note\r\n",
       {},
       {"  unknown_key = 5 # note"}},
      {"empty key is an unknown key", "= 5\n", {}, {"= 5"}},
      {"line without '=' is dropped", "vsync false\njust text\n", {{"vsync", "true"}}, {}},
      {"game_data_root is dropped", "game_data_root = \"D:/elsewhere\"\n", {}, {}},
      {"launcher-only key still sets its row", "launcher_language = \"uk\"\n", {{"launcher_language", "uk"}}, {}},
      {"the last of two lines wins; an unknown key is kept once, the first time",
       "vsync = false\nx = 1\nvsync = true\nx = 2\n\"x\" = 3\n",
       {{"vsync", "true"}},
       {"x = 1"}},
      {"keys differing only in case are different keys",
       "VSync = false\nvsync = true\nLog_Level = \"trace\"\n",
       {{"vsync", "true"}, {"log_level", "info"}},
       {"VSync = false", "Log_Level = \"trace\""}},
      {"'#' inside quotes is part of the value",
       "keybind_a = \"a#b\"\ntexture_path = \"C:/C#/db.txt\" # where\n",
       {{"keybind_a", "a#b"}, {"texture_path", "C:/C#/db.txt"}},
       {}},
      {"value full of quotes, hashes and backslashes",
       "texture_path = \"\\\"#\\\\#'\\\\\\\"\" # c\n",
       {{"texture_path", "\"#\\#'\\\""}},
       {}},
      {"escapes decode; unknown escapes keep their backslash",
       "texture_path = \"C:\\\\mods\\\\new\"\nhid_mappings_file = \"C:\\mods\\db.txt\"\n",
       {{"texture_path", "C:\\mods\\new"}, {"hid_mappings_file", "C:\\mods\\db.txt"}},
       {}},
      {"values are not checked", "anisotropic_override = 7\nvsync = maybe\n",
       {{"anisotropic_override", "7"}, {"vsync", "maybe"}}, {}},
      {"empty value", "render_target_path_d3d12 = \"\"\nwindow_width =\n",
       {{"render_target_path_d3d12", ""}, {"window_width", ""}}, {}},
      {"byte-order mark before the first key",
       "\xEF\xBB\xBFvsync = false\r\nfullscreen = true\r\n",
       {{"vsync", "false"}, {"fullscreen", "true"}},
       {}},
      {"CR-only line ends", "vsync = false\rfullscreen = true\rodd = 1\r", {{"vsync", "false"}, {"fullscreen", "true"}},
       {"odd = 1"}},
      {"invalid UTF-8 is kept as bytes", "keybind_a = \"\xFF\xFE\"\n\xC3( = 1\n", {{"keybind_a", "\xFF\xFE"}},
       {"\xC3( = 1"}},
      {"NUL bytes inside a line", "keybind_b = \"a\0b\"\n"s, {{"keybind_b", "a\0b"s}},
       {}},
  };
  for (const ReadCase& c : cases) ExpectRead(c);
}

TEST(ApplyConfigText, StatementsRatherThanLines) {
  const ReadCase cases[] = {
      {"a setting under a table header is no setting, and stays under its header",
       "vsync = true\n[debug]\nvsync = false # off\n  [[mods]]\nname = 'a'\n",
       {{"vsync", "true"}},
       {"[debug]", "vsync = false # off", "  [[mods]]", "name = 'a'"}},
      {"the same unknown key in different tables is kept in each; a repeat in one table once",
       "x = 1\n[a]\nx = 2\nx = 3\n[[b]]\nx = 4\n[[b]]\nx = 5\n",
       {},
       {"x = 1", "[a]", "x = 2", "[[b]]", "x = 4", "[[b]]", "x = 5"}},
      {"game_data_root in a table is the table's own",
       "game_data_root = 'x'\n[t]\ngame_data_root = 'y'\n", {}, {"[t]", "game_data_root = 'y'"}},
      {"a value over several lines is one statement, kept with its line ends",
       "mods = [\r\n  \"a\",\r\n]\r\nnotes = '''\nvsync = false\n'''\nfullscreen = true\n",
       {{"vsync", "true"}, {"fullscreen", "true"}},
       {"mods = [\r\n  \"a\",\r\n]", "notes = '''\nvsync = false\n'''"}},
      {"a setting's value over several lines",
       "keybind_a = \"\"\"\nQ,\\\n  LMB\"\"\" # joined\ntexture_path = '''\r\nC:\\mods\r\n'''\n",
       {{"keybind_a", "Q,LMB"}, {"texture_path", "C:\\mods\n"}},
       {}},
      {"quoted spellings of a setting are the setting",
       "\"vsync\" = false\n'window_width' = 640\n\"launcher_language\" = 'uk'\n",
       {{"vsync", "false"}, {"window_width", "640"}, {"launcher_language", "uk"}},
       {}},
      {"a dotted key is not the setting it starts with", "vsync.x = 1\n\"vsync.x\" = 2\n", {{"vsync", "true"}},
       {"vsync.x = 1", "\"vsync.x\" = 2"}},
      {"one-line triple-quoted strings holding quotes and '#'",
       "keybind_a = \"\"\"a\"b#c\"\"\"\nkeybind_b = '''it's # not'''\n",
       {{"keybind_a", "a\"b#c"}, {"keybind_b", "it's # not"}},
       {}},
      {"an unknown key whose value is never closed is dropped; a setting's line is still read",
       "mods = [\n  \"a\",\nkeybind_a = '''x\nodd = maybe\n", {{"keybind_a", "'''x"}}, {"odd = maybe"}},
      {"UTF-16 text is not read", "\xFF\xFEv\0=\0\n\0"s, {{"vsync", "true"}}, {}},
  };
  for (const ReadCase& c : cases) ExpectRead(c);
}

TEST(ApplyConfigText, BinaryGarbageNeverSetsAnythingItShouldNot) {
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919 + 13) % 256);
  std::vector<SettingDef> schema = DefaultSettingRows();
  ApplyConfigText(garbage, schema);
  for (size_t i = 0; i < schema.size(); ++i) EXPECT_EQ(schema[i].value, DefaultSettingRows()[i].value);
}

TEST(ApplyConfigText, TenMegabyteLine) {
  std::string huge(10 * 1024 * 1024, 'x');
  std::vector<SettingDef> schema = DefaultSettingRows();
  std::vector<std::string> extra =
      ApplyConfigText("texture_path = \"" + huge + "\"\nvsync = false\n" + huge + " = 1\n", schema);
  EXPECT_EQ(FindSetting(schema, "texture_path")->value, huge);
  EXPECT_EQ(FindSetting(schema, "vsync")->value, "false");
  ASSERT_EQ(extra.size(), 1u);
  EXPECT_EQ(extra[0].size(), huge.size() + 4);
}

TEST(ReadConfigFile, MissingFileChangesNothingAndKeepsNoLines) {
  testing::TempFolder folder;
  BuildSettingsSchema();
  FindSetting("vsync")->value = "false";
  LoadedConfigFile().extraLines = {"left = over"};
  ReadConfigFile(folder / "mirefall.toml");
  EXPECT_EQ(FindSetting("vsync")->value, "false");
  EXPECT_TRUE(LoadedConfigFile().extraLines.empty());
}

TEST(ReadConfigFile, ReadsIntoTheSchemaAndRebuildsTheMonitorList) {
  testing::TempFolder folder;
  testing::WriteBytes(folder / "mirefall.toml", "monitor = 7\r\nvsync = false\r\nmod_option = \"on\"\r\n");
  BuildSettingsSchema();
  ReadConfigFile(folder / "mirefall.toml");
  EXPECT_EQ(FindSetting("vsync")->value, "false");
  EXPECT_EQ(LoadedConfigFile().extraLines, std::vector<std::string>{"mod_option = \"on\""});
  const SettingDef* monitor = FindSetting("monitor");
  EXPECT_EQ(monitor->value, "7");
  EXPECT_EQ(monitor->choices.back(), (SettingChoice{"7", "7: (not connected)"}));
}

TEST(ReadConfigFile, FolderWithCyrillicLettersAndASpace) {
  testing::TempFolder folder;
  std::filesystem::path game = folder / "Ігри Mirefall";
  std::filesystem::create_directory(game);
  testing::WriteBytes(game / "mirefall.toml", "fullscreen = true\n");
  BuildSettingsSchema();
  ReadConfigFile(game / "mirefall.toml");
  EXPECT_EQ(FindSetting("fullscreen")->value, "true");
}

}  // namespace
}  // namespace mf::settings

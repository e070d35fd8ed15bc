#include "settings/config_repair.h"

#include <gtest/gtest.h>

#include "golden_files.h"
#include "settings_test_support.h"
#include "settings/config_writer.h"
#include "settings/settings_schema.h"
#include "settings/settings_schema_table.h"
#include "temp_folder.h"

namespace mf::settings {
namespace {

namespace fs = std::filesystem;
using ::testing::PrintToString;
using namespace std::string_literals;

constexpr const char* kSeedComment =
    "# Auto-tuned defaults (seeded by launcher \xE2\x80\x94 self-heals F4 SaveConfig wipes)";

// A few rows of each kind the repair treats differently.
const std::vector<SettingDef> kSchema = {
    testing::MakeRow("vsync", SettingKind::Bool, "true"),
    testing::MakeRow("launcher_language", SettingKind::Choice, "en"),
    testing::MakeRow("keybind_a", SettingKind::Text, "E,Space+LMB"),
    testing::MakeRow("d3d12_adapter", SettingKind::Choice, "-1"),
    testing::MakeRow("mnk_sensitivity", SettingKind::Float, "1"),
    testing::MakeRow("render_target_path_d3d12", SettingKind::Choice, "rov"),
};
const std::string kOtherKeys =
    "keybind_a = \"Q\"\r\nd3d12_adapter = 0\r\nmnk_sensitivity = 2.0\r\nrender_target_path_d3d12 = \"rtv\"\r\n";

TEST(RepairConfigText, DuplicatesAndMissingKeys) {
  struct Case {
    const char* name;
    std::string text;
    std::optional<std::string> repaired;  // nothing: the file stays byte for byte
  } cases[] = {
      {"every key once", "vsync = false\r\n" + kOtherKeys, std::nullopt},
      {"indented key counts as present", "   \tvsync = false\n" + kOtherKeys, std::nullopt},
      {"key with blanks before '='", "vsync\t  = false\n" + kOtherKeys, std::nullopt},
      {"byte-order mark before the first key", "\xEF\xBB\xBFvsync = false\r\n" + kOtherKeys, std::nullopt},
      {"CR-only line ends", "vsync = false\rkeybind_a = \"Q\"\rd3d12_adapter = 0\rmnk_sensitivity = 2.0\r"
                            "render_target_path_d3d12 = \"rtv\"\r",
       std::nullopt},
      {"first of two lines wins; comments and blank lines go",
       "# written by the game\r\nvsync = false\r\n\r\n# more\r\n" + kOtherKeys + "vsync = true\r\n",
       "# Auto-deduplicated by MFLauncher\r\nvsync = false\r\n" + kOtherKeys},
      {"duplicate game_data_root", "game_data_root = \"./assets\"\nvsync = false\n" + kOtherKeys +
                                       "  game_data_root = \"x\"\n",
       "# Auto-deduplicated by MFLauncher\r\ngame_data_root = \"./assets\"\r\nvsync = false\r\n" + kOtherKeys},
      {"missing keys appended with their values; launcher-only keys never",
       "vsync = false\r\n",
       "vsync = false\r\n\r\n" + std::string(kSeedComment) +
           "\r\nkeybind_a = \"E,Space+LMB\"\r\nd3d12_adapter = -1\r\nmnk_sensitivity = 1\r\n"
           "render_target_path_d3d12 = \"rov\"\r\n"},
      {"last line without a line end gets one, so no blank line",
       kOtherKeys + "# no line end",
       kOtherKeys + "# no line end\r\n" + kSeedComment + "\r\nvsync = true\r\n"},
      {"keys differing only in case are different keys",
       "VSync = false\r\n" + kOtherKeys,
       "VSync = false\r\n" + kOtherKeys + "\r\n" + kSeedComment + "\r\nvsync = true\r\n"},
      {"duplicate and missing keys together",
       "keybind_a = \"1\"\nkeybind_a = \"2\"\n",
       "# Auto-deduplicated by MFLauncher\r\nkeybind_a = \"1\"\r\n\r\n" + std::string(kSeedComment) +
           "\r\nvsync = true\r\nd3d12_adapter = -1\r\nmnk_sensitivity = 1\r\nrender_target_path_d3d12 = \"rov\"\r\n"},
      {"a value full of '#', quotes and backslashes is a line like any other",
       "vsync = \"#\\\"#\\\\\" # \"\r\nvsync = \"'#'\"\r\n" + kOtherKeys,
       "# Auto-deduplicated by MFLauncher\r\nvsync = \"#\\\"#\\\\\" # \"\r\n" + kOtherKeys},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::optional<std::string> repaired = RepairConfigText(c.text, kSchema);
    EXPECT_EQ(repaired, c.repaired);
    if (repaired) {
      EXPECT_EQ(RepairConfigText(*repaired, kSchema), std::nullopt) << "a second repair changes more";
    }
  }
}

TEST(RepairConfigText, TablesKeepTheirKeysAndTheSeededKeysStayAtTheTop) {
  const std::string seeded = std::string(kSeedComment) + "\r\nkeybind_a = \"E,Space+LMB\"\r\nd3d12_adapter = -1\r\n"
                             "mnk_sensitivity = 1\r\nrender_target_path_d3d12 = \"rov\"\r\n";
  struct Case {
    const char* name;
    std::string text;
    std::optional<std::string> repaired;
  } cases[] = {
      {"a setting under a header is not present; the seeds go before the first header",
       "vsync = true\n[debug]\nkeybind_a = 1\n",
       "vsync = true\n\r\n" + seeded + "\r\n[debug]\nkeybind_a = 1\n"},
      {"a file of tables only, with a byte-order mark",
       "\xEF\xBB\xBF[[mods]]\nvsync = 1\n",
       "\xEF\xBB\xBF\r\n" + std::string(kSeedComment) + "\r\nvsync = true\r\n" + seeded.substr(seeded.find("keybind_a")) +
           "\r\n[[mods]]\nvsync = 1\n"},
      {"the same key in different tables is no duplicate",
       "vsync = 1\n" + kOtherKeys + "[a]\nvsync = 2\n[[b]]\nvsync = 3\n[[b]]\nvsync = 4\n", std::nullopt},
      {"quoted spellings count as present",
       "\"vsync\" = 1\n'keybind_a' = 'Q'\nd3d12_adapter = 0\nmnk_sensitivity = 2.0\nrender_target_path_d3d12 = \"rtv\"\n",
       std::nullopt},
      {"a key inside a value over several lines is not present",
       "notes = '''\nvsync = false\n'''\n" + kOtherKeys,
       "notes = '''\nvsync = false\n'''\n" + kOtherKeys + "\r\n" + kSeedComment + "\r\nvsync = true\r\n"},
      {"duplicates are found per table; headers and values over several lines are kept whole",
       "vsync = 1\nmods = [\n 1,\n]\n\"vsync\" = 2\n" + kOtherKeys + "[t]\n# c\nx = '''\n1'''\nx = 2\n",
       "# Auto-deduplicated by MFLauncher\r\nvsync = 1\r\nmods = [\n 1,\n]\r\n" + kOtherKeys + "[t]\r\nx = '''\n1'''\r\n"},
      {"UTF-16 text is left alone", "\xFF\xFEv\0=\0\n\0"s, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::optional<std::string> repaired = RepairConfigText(c.text, kSchema);
    EXPECT_EQ(repaired, c.repaired);
    if (repaired) EXPECT_EQ(RepairConfigText(*repaired, kSchema), std::nullopt) << "a second repair changes more";
  }
}

TEST(RepairConfigText, FileWithOnlyGameDataRootGainsEveryGameKey) {
  const std::string text = "game_data_root = \"./assets\"\r\n";
  std::optional<std::string> repaired = RepairConfigText(text, DefaultSettingRows());
  ASSERT_TRUE(repaired);
  testing::ExpectMatchesGoldenFile("repair_seeded_defaults.toml", *repaired);

  const std::string seededBlock = *repaired;
  size_t afterComment = seededBlock.find(kSeedComment);
  ASSERT_NE(afterComment, std::string::npos);
  EXPECT_EQ(seededBlock.substr(0, afterComment), text + "\r\n");
  size_t seededLines = 0;
  for (size_t at = seededBlock.find("\r\n", afterComment) + 2; at < seededBlock.size();
       at = seededBlock.find("\r\n", at) + 2)
    ++seededLines;
  EXPECT_EQ(seededLines, 95u);
  for (const char* line : {"\r\nd3d12_adapter = -1\r\n", "\r\nrender_target_path_d3d12 = \"rov\"\r\n",
                           "\r\nkeybind_a = \"E,Space+LMB\"\r\n", "\r\nvideo_mode_refresh_rate = 60.0\r\n"})
    EXPECT_NE(seededBlock.find(line), std::string::npos) << PrintToString(line);
  EXPECT_EQ(seededBlock.find("launcher_"), std::string::npos);
}

TEST(RepairConfigText, TheWritersOwnFileNeedsNoRepair) {
  EXPECT_EQ(RepairConfigText(FormatConfigText(DefaultSettingRows(), {"mod_x = 1"}), DefaultSettingRows()),
            std::nullopt);
}

class RepairConfigFileTest : public ::testing::Test {
 protected:
  void SetUp() override { SettingsSchema().clear(); }
  testing::TempFolder folder_;
  fs::path config_ = folder_ / "mirefall.toml";
};

TEST_F(RepairConfigFileTest, MissingFileIsNotCreated) {
  RepairConfigFile(config_);
  EXPECT_FALSE(fs::exists(config_));
  EXPECT_EQ(SettingsSchema().size(), 99u) << "repair builds the schema when it is empty";
}

TEST_F(RepairConfigFileTest, RepairsInPlaceWithoutLeavingATemporaryFile) {
  testing::WriteBytes(config_, "game_data_root = \"./assets\"\r\n");
  RepairConfigFile(config_);
  std::optional<std::string> repaired = testing::ReadBytes(config_);
  ASSERT_TRUE(repaired);
  EXPECT_EQ(*repaired, testing::ReadBytes(testing::GoldenFilePath("repair_seeded_defaults.toml")));
  EXPECT_EQ(testing::FolderEntries(folder_.path()), std::vector<std::string>{"mirefall.toml"});
}

TEST_F(RepairConfigFileTest, CompleteFileIsLeftByteForByte) {
  BuildSettingsSchema();
  const std::string complete = "\xEF\xBB\xBF" + FormatConfigText(SettingsSchema(), {"# kept", "", "mod = 1"});
  testing::WriteBytes(config_, complete);
  RepairConfigFile(config_);
  EXPECT_EQ(testing::ReadBytes(config_), complete);
}

TEST_F(RepairConfigFileTest, Utf16FileIsLeftByteForByte) {
  const std::string utf16("\xFF\xFEv\0s\0y\0n\0c\0 \0=\0 \0\x31\0\r\0\n\0", 22);
  testing::WriteBytes(config_, utf16);
  RepairConfigFile(config_);
  EXPECT_EQ(testing::ReadBytes(config_), utf16);
  EXPECT_EQ(testing::FolderEntries(folder_.path()), std::vector<std::string>{"mirefall.toml"});
}

TEST_F(RepairConfigFileTest, ReadOnlyFileIsLeftAlone) {
  testing::WriteBytes(config_, "vsync = true\nvsync = false\n");
  fs::permissions(config_, fs::perms::owner_read);
  RepairConfigFile(config_);
  EXPECT_EQ(testing::ReadBytes(config_), "vsync = true\nvsync = false\n");
  EXPECT_EQ(testing::FolderEntries(folder_.path()), std::vector<std::string>{"mirefall.toml"});
}

}  // namespace
}  // namespace mf::settings

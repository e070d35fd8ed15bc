// Every file the store writes must be TOML that a real parser reads as the schema values:
// the game reads mirefall.toml with a TOML library, not with the launcher's reader.
#include <gtest/gtest.h>

#include "settings/config_file.h"
#include "settings/config_repair.h"
#include "settings/config_writer.h"
#include "settings/setting_value_format.h"
#include "settings/settings_schema.h"
#include "settings/settings_schema_table.h"
#include "settings/toml_text.h"
#include "python_check.h"
#include "temp_folder.h"
#include "tricky_values.h"

namespace mf::settings {
namespace {

namespace fs = std::filesystem;

// The values a TOML parser must find, as a JSON object: strings for rows written quoted,
// the bare text (a JSON number or boolean) for the others.
std::string ExpectedValuesJson(const std::vector<SettingDef>& schema,
                               const std::vector<std::pair<std::string, std::string>>& extraStrings) {
  std::string json = "{\n";
  auto addString = [&](const std::string& key, const std::string& value) {
    // A TOML basic string is a JSON string apart from \U escapes, which QuoteTomlString never writes.
    json += "\"" + key + "\": " + QuoteTomlString(value) + ",\n";
  };
  for (const SettingDef& row : schema) {
    if (IsLauncherOnlyKey(row.key)) continue;
    std::string written = FormatValueForConfig(row);
    if (written.front() == '"') addString(row.key, row.value);
    else json += "\"" + row.key + "\": " + written + ",\n";
  }
  for (const auto& [key, value] : extraStrings) addString(key, value);
  addString("game_data_root", "./assets");
  json.resize(json.size() - 2);
  return json + "\n}\n";
}

class TomlParserCheck : public ::testing::Test {
 protected:
  void SetUp() override { MF_SKIP_WITHOUT_PYTHON_CHECKS(); }

  // Runs the checker; returns its exit code and leaves its output in output_.
  int RunChecker(const fs::path& toml, const std::string& expectedJson) {
    fs::path expected = folder_ / "expected.json";
    testing::WriteBytes(expected, expectedJson);
    return testing::RunPythonCheck("toml_check.py", "'" + toml.string() + "' '" + expected.string() + "'",
                                   folder_ / "report.txt", &output_);
  }

  void ExpectParsesAs(const fs::path& toml, const std::string& expectedJson) {
    int exitCode = RunChecker(toml, expectedJson);
    if (exitCode == 77) GTEST_SKIP() << testing::kPython << " has no tomllib";
    EXPECT_EQ(exitCode, 0) << output_;
  }

  testing::TempFolder folder_;
  std::string output_;
};

TEST_F(TomlParserCheck, SavedFileWithTrickyValues) {
  BuildSettingsSchema();
  for (const auto& [key, value] : testing::TrickyStringValues()) FindSetting(key)->value = value;
  // Odd text in rows that are normally written bare.
  FindSetting("vsync")->value = "maybe";
  FindSetting("window_width")->value = "1 # px";
  FindSetting("mnk_sensitivity")->value = "2";
  FindSetting("mnk_stick_scale")->value = "";
  FindSetting("anisotropic_override")->value = "-1";
  FindSetting("user_language")->value = ".";
  LoadedConfigFile().extraLines = {"mod_path = 'C:\\mods' # the game's own line", "mod_name = \"a\\\\b\""};

  fs::path toml = folder_ / "mirefall.toml";
  ASSERT_TRUE(WriteConfigFile(toml).succeeded);
  ExpectParsesAs(toml, ExpectedValuesJson(SettingsSchema(), {{"mod_path", "C:\\mods"}, {"mod_name", "a\\b"}}));
}

TEST_F(TomlParserCheck, DefaultsAndRepairedFile) {
  BuildSettingsSchema();
  LoadedConfigFile().extraLines.clear();
  fs::path saved = folder_ / "saved.toml";
  ASSERT_TRUE(WriteConfigFile(saved).succeeded);
  ExpectParsesAs(saved, ExpectedValuesJson(SettingsSchema(), {}));

  fs::path repaired = folder_ / "repaired.toml";
  testing::WriteBytes(repaired, "game_data_root = \"./assets\"\r\n");
  RepairConfigFile(repaired);
  // Repair adds no ".0" to Float values, but every default Float already has a point.
  ExpectParsesAs(repaired, ExpectedValuesJson(DefaultSettingRows(), {}));
}

}  // namespace
}  // namespace mf::settings

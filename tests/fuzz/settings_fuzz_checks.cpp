#include "settings_fuzz_checks.h"

#include "settings/config_reader.h"
#include "settings/config_repair.h"
#include "settings/config_writer.h"
#include "settings/launcher_language.h"
#include "settings/launcher_prefs.h"
#include "settings/settings_schema.h"
#include "settings/settings_schema_table.h"
#include "settings/toml_text.h"

namespace mf::settings::fuzzing {
namespace {

// A few real rows of every kind and formatting branch (bare and quoted Choice values,
// Float suffix, launcher-only, hidden Text), with only what the file code reads. The whole
// table would only repeat the same branches and make every input several times slower.
const std::vector<SettingDef>& FileRows() {
  static const std::vector<SettingDef> rows = [] {
    const char* keys[] = {"render_target_path_d3d12", "anisotropic_override", "present_fsr_sharpness_reduction",
                          "vsync", "window_width", "monitor", "launcher_language", "launcher_prompt_style",
                          "texture_path", "keybind_a", "mnk_sensitivity", "d3d12_adapter", "user_language",
                          "video_mode_refresh_rate", "log_max_files"};
    std::vector<SettingDef> slim;
    for (const char* key : keys) {
      const SettingDef* row = FindSetting(DefaultSettingRows(), key);
      SettingDef copy;
      copy.key = row->key;
      copy.kind = row->kind;
      copy.value = row->value;
      slim.push_back(std::move(copy));
    }
    return slim;
  }();
  return rows;
}

std::string SaveAfterReading(std::string_view text) {
  std::vector<SettingDef> schema = FileRows();
  std::vector<std::string> extraLines = ApplyConfigText(text, schema);
  return FormatConfigText(schema, extraLines);
}

}  // namespace

std::string CheckSettingsParsers(std::string_view input) {
  std::string firstSave = SaveAfterReading(input);
  if (SaveAfterReading(firstSave) != firstSave) return "saving the saved file changed it";

  std::optional<std::string> repaired = RepairConfigText(input, FileRows());
  if (repaired && RepairConfigText(*repaired, FileRows())) return "a repaired file needed a second repair";

  PrefsMap prefs = ParseLauncherPrefs(input);
  if (ParseLauncherPrefs(FormatLauncherPrefs(prefs)) != prefs) return "launcher.ini did not read back as written";

  FindLauncherLanguageInConfigText(input);

  std::string once = ParseTomlValue(QuoteTomlString(input));
  if (ParseTomlValue(QuoteTomlString(once)) != once) return "a quoted string did not read back as itself";
  return {};
}

}  // namespace mf::settings::fuzzing

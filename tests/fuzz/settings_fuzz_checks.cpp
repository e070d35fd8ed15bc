#include "settings_fuzz_checks.h"

#include <unordered_set>

#include "settings/config_reader.h"
#include "settings/config_repair.h"
#include "settings/config_writer.h"
#include "settings/launcher_language.h"
#include "settings/launcher_prefs.h"
#include "settings/settings_schema.h"
#include "settings/settings_schema_table.h"
#include "settings/text_lines.h"
#include "settings/toml_statements.h"
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

bool StatementsMakeUpTheText(std::string_view text) {
  std::string joined;
  for (const TomlStatement& statement : ScanTomlStatements(text)) {
    if (statement.offset != joined.size()) {
      // The line end between two statements: LF, CR LF or CR, as in the text.
      std::string_view lineEnd = text.substr(joined.size(), statement.offset - joined.size());
      if (lineEnd != "\n" && lineEnd != "\r\n" && lineEnd != "\r") return false;
      joined += lineEnd;
    }
    joined += statement.text;
  }
  return text.substr(joined.size()).find_first_not_of("\r\n") == std::string_view::npos &&
         text.substr(0, joined.size()) == joined;
}

// Every game key at the top level and no key twice in one table.
std::string CheckRepairedKeys(std::string_view repaired) {
  std::unordered_set<std::string> keys;
  for (const TomlStatement& statement : ScanTomlStatements(StripUtf8Bom(repaired)))
    if (statement.kind == TomlStatementKind::KeyValue && !keys.insert(KeyInTable(statement)).second)
      return "a repaired text has a key twice in one table";
  for (const SettingDef& row : FileRows())
    if (!IsLauncherOnlyKey(row.key) && !keys.count("0:" + row.key)) return "a repaired text lacks a game key";
  return {};
}

}  // namespace

std::string SaveAfterReading(std::string_view text, std::vector<SettingDef> schema) {
  std::vector<std::string> extraLines = ApplyConfigText(text, schema);
  return FormatConfigText(schema, extraLines);
}

std::string CheckSettingsParsers(std::string_view input) {
  if (!StatementsMakeUpTheText(input)) return "the statements do not make up the text";

  std::string firstSave = SaveAfterReading(input, FileRows());
  if (SaveAfterReading(firstSave, FileRows()) != firstSave) return "saving the saved file changed it";

  std::optional<std::string> repaired = RepairConfigText(input, FileRows());
  if (repaired) {
    if (RepairConfigText(*repaired, FileRows())) return "a repaired file needed a second repair";
    if (std::string broken = CheckRepairedKeys(*repaired); !broken.empty()) return broken;
  }

  PrefsMap prefs = ParseLauncherPrefs(input);
  std::vector<std::string> order = LauncherPrefsKeyOrder(input);
  std::string prefsText = FormatLauncherPrefs(prefs, order);
  if (ParseLauncherPrefs(prefsText) != prefs) return "launcher.ini did not read back as written";
  if (FormatLauncherPrefs(prefs, LauncherPrefsKeyOrder(prefsText)) != prefsText)
    return "launcher.ini saved twice gave different bytes";

  FindLauncherLanguageInConfigText(input);

  std::string once = ParseTomlValue(QuoteTomlString(input));
  if (ParseTomlValue(QuoteTomlString(once)) != once) return "a quoted string did not read back as itself";
  return {};
}

}  // namespace mf::settings::fuzzing

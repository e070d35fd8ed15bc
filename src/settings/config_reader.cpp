#include "settings/config_reader.h"

#include <unordered_set>

#include "settings/config_file.h"
#include "settings/file_io.h"
#include "settings/monitor_choices.h"
#include "settings/settings_schema.h"
#include "settings/text_lines.h"
#include "settings/toml_statements.h"
#include "settings/toml_text.h"

namespace mf::settings {

std::vector<std::string> ApplyConfigText(std::string_view text, std::vector<SettingDef>& schema) {
  std::vector<std::string> extraLines;
  if (StartsWithUtf16Bom(text)) return extraLines;
  std::unordered_set<std::string> keptKeys;
  for (const TomlStatement& statement : ScanTomlStatements(StripUtf8Bom(text))) {
    if (statement.kind == TomlStatementKind::Header) {
      extraLines.emplace_back(statement.text);
      continue;
    }
    if (statement.kind != TomlStatementKind::KeyValue) continue;
    if (IsTopLevelKey(statement)) {
      if (SettingDef* row = FindSetting(schema, statement.key)) {
        row->value = ParseTomlValue(statement.valueText);
        continue;
      }
      if (statement.key == "game_data_root") continue;
    }
    if (statement.unclosed) continue;  // malformed, and it could swallow what the save puts after it
    // A key TOML finds twice makes the whole file unreadable to it: keep the first.
    if (keptKeys.insert(KeyInTable(statement)).second) extraLines.emplace_back(statement.text);
  }
  return extraLines;
}

void ReadConfigFile(const std::filesystem::path& path) {
  std::vector<std::string>& extraLines = LoadedConfigFile().extraLines;
  extraLines.clear();
  std::optional<std::string> text = ReadWholeFile(path);
  if (!text) return;

  std::vector<SettingDef>& schema = SettingsSchema();
  extraLines = ApplyConfigText(*text, schema);
  if (SettingDef* monitor = FindSetting(schema, "monitor"))
    monitor->choices = BuildMonitorChoices(monitor->value, ListAttachedMonitors());
}

}  // namespace mf::settings

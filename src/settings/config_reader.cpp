#include "settings/config_reader.h"

#include "settings/config_file.h"
#include "settings/file_io.h"
#include "settings/monitor_choices.h"
#include "settings/settings_schema.h"
#include "settings/text_lines.h"
#include "settings/toml_text.h"

namespace mf::settings {

std::vector<std::string> ApplyConfigText(std::string_view text, std::vector<SettingDef>& schema) {
  std::vector<std::string> extraLines;
  for (std::string_view line : SplitLines(StripUtf8Bom(text))) {
    std::string_view trimmed = Trim(line, kLineBlanks);
    if (trimmed.empty() || trimmed.front() == '#' || trimmed.front() == '[') continue;
    size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos) continue;

    std::string_view key = Trim(trimmed.substr(0, equals), kLineBlanks);
    if (SettingDef* row = FindSetting(schema, key)) {
      row->value = ParseTomlValue(trimmed.substr(equals + 1));
    } else if (key != "game_data_root") {
      extraLines.emplace_back(line);
    }
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

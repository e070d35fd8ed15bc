#include "settings/settings_schema.h"

#include <algorithm>
#include <array>
#include <utility>

#include "settings/monitor_choices.h"
#include "settings/settings_schema_table.h"

namespace mf::settings {

std::vector<SettingDef>& SettingsSchema() {
  static std::vector<SettingDef> schema;
  return schema;
}

void BuildSettingsSchema() {
  std::vector<SettingDef>& schema = SettingsSchema();
  schema = DefaultSettingRows();
  if (SettingDef* monitor = FindSetting(schema, "monitor"))
    monitor->choices = BuildMonitorChoices(monitor->value, ListAttachedMonitors());
}

const SettingDef* FindSetting(const std::vector<SettingDef>& schema, std::string_view key) {
  auto found = std::find_if(schema.begin(), schema.end(), [&](const SettingDef& row) { return row.key == key; });
  return found == schema.end() ? nullptr : &*found;
}

SettingDef* FindSetting(std::vector<SettingDef>& schema, std::string_view key) {
  return const_cast<SettingDef*>(FindSetting(std::as_const(schema), key));
}

SettingDef* FindSetting(std::string_view key) { return FindSetting(SettingsSchema(), key); }

bool IsLauncherOnlyKey(std::string_view key) {
  constexpr std::array<std::string_view, 4> kLauncherOnlyKeys = {
      "launcher_language", "launcher_steam_overlay", "launcher_share_shader_cache", "launcher_prompt_style"};
  return std::find(kLauncherOnlyKeys.begin(), kLauncherOnlyKeys.end(), key) != kLauncherOnlyKeys.end();
}

}  // namespace mf::settings

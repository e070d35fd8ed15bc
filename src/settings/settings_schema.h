#pragma once
// The settings schema: the one ordered table of every option the launcher knows. Table order
// is the order of controls on each dialog page and the order of keys in mirefall.toml.
#include <string_view>
#include <vector>

#include "settings/setting_def.h"

namespace mf::settings {

// The process-wide table, owned by the UI thread. Empty until BuildSettingsSchema runs.
std::vector<SettingDef>& SettingsSchema();

// Replaces every row of the process-wide table with the defaults; the monitor row gets the
// choice list of the displays attached now.
void BuildSettingsSchema();

// The first row whose key equals key exactly, or nullptr.
SettingDef* FindSetting(std::vector<SettingDef>& schema, std::string_view key);
const SettingDef* FindSetting(const std::vector<SettingDef>& schema, std::string_view key);
SettingDef* FindSetting(std::string_view key);

// The four options kept in launcher.ini: edited in the dialog like the others but never
// written to mirefall.toml nor seeded into it.
bool IsLauncherOnlyKey(std::string_view key);

}  // namespace mf::settings

#pragma once
// Reading mirefall.toml into the settings schema: one "key = value" per line.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "settings/setting_def.h"

namespace mf::settings {

// Sets the value of every row whose key the text assigns (the last line wins) and returns
// the lines with unknown keys exactly as written. Comments, section headers, blank and
// malformed lines are dropped, and so is game_data_root, which the writer always writes
// itself. Values are not checked against kind, range or choices.
std::vector<std::string> ApplyConfigText(std::string_view text, std::vector<SettingDef>& schema);

// Reads the file into the process-wide schema and extra lines, then rebuilds the monitor
// row's choices around its value. A missing or unreadable file changes no value and leaves
// no extra lines.
void ReadConfigFile(const std::filesystem::path& path);

}  // namespace mf::settings

#pragma once
// Reading mirefall.toml into the settings schema, statement by statement.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "settings/setting_def.h"

namespace mf::settings {

// Sets the value of every row whose key the text assigns at the top level (the last
// statement wins) and returns the statements the launcher must keep, exactly as written:
// top-level keys it does not know, then every [table] or [[array]] header with the keys
// under it, so each stays in its table. A key found twice in one table is kept once, the
// first time. Comments, blank and malformed lines (among them an unknown key whose value
// is opened but never closed) are dropped, and so is the top-level
// game_data_root, which the writer always writes itself. Values are not checked against
// kind, range or choices. Text that starts with a UTF-16 byte-order mark is not read.
std::vector<std::string> ApplyConfigText(std::string_view text, std::vector<SettingDef>& schema);

// Reads the file into the process-wide schema and extra lines, then rebuilds the monitor
// row's choices around its value. A missing or unreadable file changes no value and leaves
// no extra lines.
void ReadConfigFile(const std::filesystem::path& path);

}  // namespace mf::settings

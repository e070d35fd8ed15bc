#pragma once
// Start-up repair of mirefall.toml. The game's own save (F4 SaveConfig) can leave keys twice
// or drop keys only the launcher knows; repair removes the duplicates and appends every
// missing game key with its value from the schema, so the game sees the launcher's
// settings again.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/setting_def.h"

namespace mf::settings {

// The repaired file text, or nothing when the text needs no change. It works on TOML
// statements: a key under a [table] or [[array]] header belongs to that table, so it is
// neither taken for a game key nor compared with keys of other tables. With a key found
// twice in one table, the text is rebuilt from its key statements and headers, first
// occurrence winning, under the line "# Auto-deduplicated by MFLauncher"; game keys
// missing from the top level are then added under a comment block, before the first table
// header (at the end when there is none). Launcher-only keys are never seeded. UTF-16 text
// is left alone.
std::optional<std::string> RepairConfigText(std::string_view text, const std::vector<SettingDef>& schema);

// Repairs the file in place (building the schema first when it is empty). A missing file is
// not created; any failure leaves the file as it was and is not reported.
void RepairConfigFile(const std::filesystem::path& path);

}  // namespace mf::settings

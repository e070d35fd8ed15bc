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

// The repaired file text, or nothing when the text needs no change. With duplicate keys the
// text is rebuilt from its key lines, first occurrence winning, under the line
// "# Auto-deduplicated by MFLauncher"; missing keys are then appended under a comment block.
// Launcher-only keys are never seeded.
std::optional<std::string> RepairConfigText(std::string_view text, const std::vector<SettingDef>& schema);

// Repairs the file in place (building the schema first when it is empty). A missing file is
// not created; any failure leaves the file as it was and is not reported.
void RepairConfigFile(const std::filesystem::path& path);

}  // namespace mf::settings

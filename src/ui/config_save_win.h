#pragma once
// The settings save as the player meets it: the file is written, or an error box says where
// it could not be.
#include <filesystem>

namespace mf::ui {

// Writes mirefall.toml from the schema; on failure shows the save-error box (no owner) and
// returns false.
bool SaveConfigFileOrReport(const std::filesystem::path& configPath);

}  // namespace mf::ui

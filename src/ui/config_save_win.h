#pragma once
// The settings save as the player meets it: the file is written, or an error box says where
// it could not be.
#include <windows.h>

#include <filesystem>

namespace mf::ui {

// Writes mirefall.toml from the schema; on failure shows the save-error box and returns
// false. A window that could act again while the box is up (the settings dialog) passes
// itself as owner, so it stays disabled until the box is answered.
bool SaveConfigFileOrReport(const std::filesystem::path& configPath, HWND owner = nullptr);

// The save-error box for a file that could not be written, naming it, in the interface
// language.
void ReportUnsavedFile(const std::filesystem::path& path, HWND owner);

}  // namespace mf::ui

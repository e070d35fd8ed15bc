#pragma once
// The settings dialog: every option of the settings table on seven dark tabs, saved to
// mirefall.toml and launcher.ini.
#include <windows.h>

#include <filesystem>

namespace mf::dialog {

inline constexpr INT_PTR kSettingsSaved = 1;
inline constexpr INT_PTR kSettingsCancelled = 2;

// Opens the dialog modally over the owner for the files beside the running executable and
// returns when it closes: kSettingsSaved or kSettingsCancelled.
INT_PTR RunSettingsDialog(HWND owner);

// The same for the files in another launcher folder.
INT_PTR RunSettingsDialog(HWND owner, const std::filesystem::path& launcherFolder);

}  // namespace mf::dialog

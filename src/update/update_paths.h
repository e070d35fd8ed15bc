#pragma once
// The updater's files in the temporary folder. All start with "mf1_", as every temporary
// file of the launcher does.
#include <string_view>

namespace mf::update {

inline constexpr std::string_view kZipFileName = "mf1_update.zip";
inline constexpr std::string_view kHelperFileName = "mf1_update_helper.exe";
inline constexpr std::string_view kLogFileName = "mf1_update.log";
inline constexpr std::string_view kStagingFolderName = "mf1_update_staging";
// The player's data as it was before the last update; kept afterwards.
inline constexpr std::string_view kBackupFolderName = "mf1_update_backup";
// The program files an update replaced, kept until the update has finished so that a
// failure can put them back.
inline constexpr std::string_view kRollbackFolderName = "mf1_update_rollback";

// Held by the update helper while it works; a launcher that finds it held does not touch
// the installation.
inline constexpr const wchar_t* kHelperMutexName = L"Local\\mf1_update_helper";

// Set in the environment of the launcher the helper starts at the end, so that launcher
// does not wait for the helper that is still holding its mutex. The launcher removes it at
// once: nothing it starts inherits it.
inline constexpr const wchar_t* kRelaunchVariable = L"MF1_UPDATE_RELAUNCH";
// A named event whose only lasting handle the helper puts into the launcher it started: it
// exists exactly as long as that launcher runs, from before the helper lets go of its mutex.
inline constexpr const wchar_t* kRelaunchMarkName = L"Local\\mf1_update_relaunch";

}  // namespace mf::update

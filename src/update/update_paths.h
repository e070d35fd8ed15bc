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

}  // namespace mf::update

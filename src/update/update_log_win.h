#pragma once
// The update log in the temporary folder: one timestamped UTF-8 line per step, written by
// the update helper and deleted when the update succeeds.
#include <filesystem>
#include <optional>
#include <string_view>

namespace mf::update {

// The temporary folder (GetTempPathW); nothing when Windows cannot give one.
std::optional<std::filesystem::path> TempFolder();

// The temporary folder's "mf1_update.log"; empty when there is no temporary folder.
std::filesystem::path UpdateLogPath();

// The file UpdateLog writes to; while it is empty, logging does nothing.
void SetUpdateLogFile(const std::filesystem::path& file);

// Appends one line, local time first. The file is opened and closed for every line, so
// the log holds everything up to the last line even if the helper dies.
void UpdateLog(std::string_view message);

// A path as UTF-8, for log lines.
std::string PathText(const std::filesystem::path& path);

}  // namespace mf::update

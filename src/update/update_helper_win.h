#pragma once
#include <filesystem>

namespace mf::update {

// The apply-update mode: waits for the old launcher (by process id; 0 for none) to end,
// installs the release zip into the installation folder, keeps the player's data, and
// starts the launcher again - the new one, or the previous one, restored, when the update
// failed. Every step goes to the update log. Exit code 0 success, 1 update aborted, 2 no
// temporary folder.
int RunUpdateHelper(const std::filesystem::path& zip, const std::filesystem::path& install, int oldProcessId);

}  // namespace mf::update

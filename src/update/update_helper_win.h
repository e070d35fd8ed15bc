#pragma once
#include <string>

namespace mf::update {

// The apply-update mode: installs the release zip into the installation folder once the
// old launcher (by process id) has gone, then starts the new launcher. Returns the
// process exit code.
int RunUpdateHelper(const std::string& zipPath, const std::string& installDir, int oldProcessId);

}  // namespace mf::update

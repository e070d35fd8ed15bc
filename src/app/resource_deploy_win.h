#pragma once

namespace mf::app {

// Writes the icon sets, their texts and the texture files from the executable's resources
// into the folders beside the launcher that do not exist yet. Failures are silent: a
// folder or file that cannot be written is skipped.
void DeployResourceFiles();

}  // namespace mf::app

#pragma once
#include <windows.h>

namespace mf::app {

// The launcher mode: start-up tasks, the title window and its message loop, shutdown.
// Returns the process exit code.
int RunLauncher(HINSTANCE instance, int showCommand);

}  // namespace mf::app

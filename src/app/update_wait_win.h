#pragma once
// The first thing a launcher does: if an update helper is changing the installation, wait
// for it behind a small "Installing update…" window, then start or quit by the rule in
// update/helper_wait.h.
#include <windows.h>

namespace mf::app {

// True when start-up may go on; false when this launcher is to quit (the helper's
// relaunch runs, or the player closed the waiting window).
bool WaitOutUpdateHelper(HINSTANCE instance);

}  // namespace mf::app

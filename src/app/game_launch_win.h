#pragma once
#include <windows.h>

namespace mf::app {

// PLAY: starts the game from the launcher's folder and closes the title window, or tells
// the player why it could not and leaves the launcher open.
void LaunchGame(HWND titleWindow);

}  // namespace mf::app

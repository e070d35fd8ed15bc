#pragma once
// A ring around a control that has the keyboard focus, for controls whose own focus mark
// does not show in the dark dialog: a check box without text of its own draws its dotted
// focus rectangle around nothing. Follows the window's focus cues (hidden until the keyboard
// or the controller is used, where Windows does so).
#include <windows.h>

namespace mf::dialog {

// Subclasses the control for the rest of its life.
void AddFocusRing(HWND control);

// Whether focus marks should show in this window now.
bool FocusCuesShown(HWND window);

}  // namespace mf::dialog

#pragma once
#include <windows.h>

namespace mf::update {

// What the update banner does: asks, downloads the offered release with the progress
// dialog, copies this launcher to the temporary folder as the update helper, starts it in
// apply-update mode and closes the title window so the helper can replace the files.
// Any failure shows one error box and leaves the launcher as it was.
void RunUpdateFlow(HWND titleWindow);

}  // namespace mf::update

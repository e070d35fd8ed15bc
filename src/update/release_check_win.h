#pragma once
// The release check: once per run, on a thread of its own, asks the release feed for the
// latest release and, when it is newer than this launcher and has a zip, publishes it as
// the update offer and tells the title window.
#include <windows.h>

#include <optional>

#include "update/release_feed.h"

namespace mf::update {

// Fetches the feed and decides; nothing on any failure. Blocking.
std::optional<NewerRelease> CheckForNewerRelease();

// Fills the process's update offer and then posts WM_APP to the window (if not null).
void PublishOffer(const NewerRelease& release, HWND titleWindow);

// Starts the check on a detached thread that reports to the window only by posting a
// message. When no thread can be started, there is simply no check this run.
void StartReleaseCheck(HWND titleWindow);

}  // namespace mf::update

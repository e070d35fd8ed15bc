#pragma once
// The release check: once per run, on a thread of its own, asks the release feed for the
// latest release and, when it is newer than this launcher and has a zip, publishes it as
// the update offer and tells the window it was given. It knows no window of its own: the
// caller names the window and the message that means "an offer was published".
#include <windows.h>

#include <optional>

#include "update/https_url.h"
#include "update/release_feed.h"

namespace mf::update {

// The feed's endpoint: the public host, or MF_RELEASE_HOST's when that is set. Nothing when
// the variable is set but empty or malformed: no check then.
std::optional<HttpsEndpoint> ConfiguredReleaseEndpoint();

// Fetches the feed and decides; nothing on any failure. Blocking.
std::optional<NewerRelease> CheckForNewerRelease();

// Fills the process's update offer and then posts the message to the window (if not null).
void PublishOffer(const NewerRelease& release, HWND notifyWindow, UINT offerMessage);

// Starts the check on a detached thread that reports to the window only by posting the
// message. When no thread can be started, there is simply no check this run.
void StartReleaseCheck(HWND notifyWindow, UINT offerMessage);

}  // namespace mf::update

#pragma once
// Reaching the release host the way the player's browser does: through the proxy set in
// Windows (found automatically, by a configuration script, or named by hand), or directly
// when there is none.
#include <windows.h>
#include <winhttp.h>

#include "update/https_url.h"

namespace mf::update {

// A synchronous WinHTTP session for a request to `endpoint`, with the proxy the user's
// Internet settings choose for it, read as browsers read them: the automatic detection or
// configuration script when they are on and answer, otherwise the proxy set by hand (with
// its bypass list). With none of these, the system's automatic resolution where Windows
// offers it, a direct connection elsewhere.
HINTERNET OpenSessionWithSystemProxy(const wchar_t* agent, const HttpsEndpoint& endpoint);

}  // namespace mf::update

#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's private test prefix (never ~/.wine).
# CTest uses it as the emulator for the Windows build's test programs.
#   MF_WINEPREFIX  the prefix to use (default: build-win/wineprefix next to this tools folder)
#   DISPLAY        the X display; tools/run-tests.sh starts Xvfb and sets it
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEPREFIX=${MF_WINEPREFIX:-$here/../build-win/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
"$here/wine-prefix.sh" "$WINEPREFIX"
exec wine "$@"

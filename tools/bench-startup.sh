#!/usr/bin/env bash
# Start-up benchmark (not a test): how long PlayMirefall.exe takes from process start to a
# visible title window under Wine, as a ratio against a minimal GDI+ window program built
# by the project and timed the same way in the same run.
#   tools/bench-startup.sh [RUNS]     (default 15 runs each, medians reported)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/tools/common.sh"
runs=${1:-15}

"$root/tools/install-deps.sh"
configure_and_build_windows >/dev/null

bench="$win_build/bench"
mkdir -p "$bench/launcher" "$bench/baseline"
cp -f "$win_build/bin/PlayMirefall.exe" "$bench/launcher/"
cp -f "$win_build/bin/minimal_gdiplus_window.exe" "$bench/baseline/"
# The one-time questions answered, as on every start but the first.
printf 'launcher_share_shader_cache = off\r\nlauncher_native_offer_v2 = no\r\n' >"$bench/launcher/launcher.ini"

trap 'stop_wine; stop_display' EXIT
start_private_display
start_wine_session

win_path() { WINEPREFIX="$MF_WINEPREFIX" winepath -w "$1" 2>/dev/null; }
"$root/tools/wine-run.sh" "$win_build/bin/startup_probe.exe" "$runs" \
  "$(win_path "$bench/launcher/PlayMirefall.exe")" MFLauncherWindow \
  "$(win_path "$bench/baseline/minimal_gdiplus_window.exe")" MinimalGdiplusWindow

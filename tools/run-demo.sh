#!/usr/bin/env bash
# Builds the launcher and starts it in a demo game folder (build-win/demo) that also holds a
# stand-in mirefall.exe, so PLAY visibly starts "the game" (it writes mirefall_started.txt).
# With a display, the launcher simply runs until you close it. Without one, it runs on a
# private Xvfb display, a screenshot is saved as build-win/demo/screenshot.png, and the
# launcher is closed the way its close box would close it.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/tools/common.sh"

"$root/tools/install-deps.sh"
configure_and_build_windows

demo="$win_build/demo"
mkdir -p "$demo/assets"
cp -f "$win_build/bin/PlayMirefall.exe" "$win_build/bin/mirefall.exe" "$demo/"
rm -f "$demo/mirefall_started.txt"
# A player who answered the one-time questions on an earlier start, so the title window
# comes straight up. Delete build-win/demo/launcher.ini to be asked again.
[[ -f $demo/launcher.ini ]] ||
  printf 'launcher_share_shader_cache = off\r\nlauncher_native_offer_v2 = no\r\n' >"$demo/launcher.ini"

headless=0
if [[ -z ${DISPLAY:-} ]]; then
  headless=1
  trap 'stop_wine; stop_display' EXIT
  start_private_display
fi
start_wine_session
wine_run="$root/tools/wine-run.sh"

show_game_record() {
  if [[ -f $demo/mirefall_started.txt ]]; then
    echo "PLAY started the stand-in game; it recorded:"
    sed 's/^/  /' "$demo/mirefall_started.txt"
  fi
}

if ((!headless)); then
  echo "Starting the launcher on $DISPLAY from $demo"
  status=0
  "$wine_run" "$demo/PlayMirefall.exe" || status=$?
  show_game_record
  exit "$status"
fi

"$wine_run" "$demo/PlayMirefall.exe" >"$demo/launcher.log" 2>&1 &
launcher=$!
client_area=$("$wine_run" "$win_build/bin/window_tool.exe" wait MFLauncherWindow 60 | tr -d '\r')
# The window is up; give it the moment a player would before looking at it.
sleep 1
import -display "$DISPLAY" -window root -crop "$client_area" +repage "$demo/screenshot.png"
"$wine_run" "$win_build/bin/window_tool.exe" close MFLauncherWindow
status=0
wait "$launcher" || status=$?
echo "Screenshot: $demo/screenshot.png"
echo "Launcher exited with code $status"
exit "$status"

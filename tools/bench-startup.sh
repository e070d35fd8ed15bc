#!/usr/bin/env bash
# Start-up benchmark (not a test): how long PlayMirefall.exe takes under Wine from process
# start to its first complete frame (the title window with its background, logo and buttons
# drawn), as a ratio against a minimal GDI+ window program built by the project and timed
# the same way, the two taking turns in one run. Also prints each program's memory with its
# window open and idle, and where the launcher's start-up time goes.
#   tools/bench-startup.sh [RUNS]     (default 15 starts each; medians reported)
# COMPARE_WITH=path/to/another/PlayMirefall.exe adds that build to the same run, for a
# before-and-after figure.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/tools/common.sh"
runs=${1:-15}

"$root/tools/install-deps.sh"
configure_windows
cmake --build "$win_build" --target PlayMirefall minimal_gdiplus_window startup_probe >/dev/null

bench="$win_build/bench"
rm -rf "$bench"
mkdir -p "$bench/launcher" "$bench/launcher-first-start" "$bench/baseline"
cp -f "$win_build/bin/minimal_gdiplus_window.exe" "$bench/baseline/"
# The one-time questions answered, as on every start but the first; the default prompt
# style, whose overlay start-up checks and, in the first-start folder, has to draw.
answered=$'launcher_share_shader_cache = off\r\nlauncher_native_offer_v2 = no\r\n'
programs=(launcher launcher-first-start)
cp -f "$win_build/bin/PlayMirefall.exe" "$bench/launcher/"
cp -f "$win_build/bin/PlayMirefall.exe" "$bench/launcher-first-start/"
if [[ -n ${COMPARE_WITH:-} ]]; then
  mkdir -p "$bench/compared"
  cp -f "$COMPARE_WITH" "$bench/compared/PlayMirefall.exe"
  programs+=(compared)
fi
for program in "${programs[@]}"; do printf '%s' "$answered" >"$bench/$program/launcher.ini"; done

trap 'stop_wine; stop_display' EXIT
start_private_display
start_wine_session

win_path() { WINEPREFIX="$MF_WINEPREFIX" winepath -w "$1" 2>/dev/null; }
# Where the probe looks for the finished picture: on the launcher a background pixel clear
# of the logo and the label of PLAY; on the baseline its fill and its line of text.
launcher_regions="1000,300,1,1;826,660,120,28"
baseline_regions="100,100,1,1;860,660,60,24"
probe_arguments=()
for program in "${programs[@]}"; do
  clean=-
  [[ $program == launcher-first-start ]] && clean='textures\*.overlay.png'
  probe_arguments+=("$(win_path "$bench/$program/PlayMirefall.exe")" MFLauncherWindow "$launcher_regions" "$clean")
done
probe_arguments+=("$(win_path "$bench/baseline/minimal_gdiplus_window.exe")" MinimalGdiplusWindow "$baseline_regions" -)

echo "load before the run: $(uptime)"
"$root/tools/wine-run.sh" "$win_build/bin/startup_probe.exe" "$runs" "${probe_arguments[@]}"

# The breakdown comes from separate starts, so that writing it down costs the timed ones
# nothing.
timings="$bench/startup-timings.txt"
MF_STARTUP_TIMINGS="$(win_path "$timings")" "$root/tools/wine-run.sh" "$win_build/bin/startup_probe.exe" \
  "$runs" "$(win_path "$bench/launcher/PlayMirefall.exe")" MFLauncherWindow "$launcher_regions" - >/dev/null
echo
echo "Launcher start-up steps, median of $runs starts (ms; 'done at' counts from process creation):"
awk -F'\t' '
  function median(list, count,   sorted, i, j, swap) {
    split(list, sorted, " ")
    for (i = 1; i <= count; i++) for (j = i + 1; j <= count; j++)
      if (sorted[j] + 0 < sorted[i] + 0) { swap = sorted[i]; sorted[i] = sorted[j]; sorted[j] = swap }
    return sorted[int((count + 1) / 2)]
  }
  NF == 0 { previous = 0; next }
  {
    if (!($1 in count)) order[++steps] = $1
    took[$1] = took[$1] " " ($2 - previous); at[$1] = at[$1] " " $2; count[$1]++
    previous = $2
  }
  END {
    printf "  %-26s %8s %9s\n", "step", "took", "done at"
    for (i = 1; i <= steps; i++)
      printf "  %-26s %8.1f %9.1f\n", order[i], median(took[order[i]], count[order[i]]), median(at[order[i]], count[order[i]])
  }' "$timings"
echo "load after the run: $(uptime)"

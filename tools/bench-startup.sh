#!/usr/bin/env bash
# Start-up benchmark (not a test): how long PlayMirefall.exe takes under Wine from process
# start to its first complete frame (the title window with its background, logo and buttons
# drawn), as a ratio against a minimal GDI+ window program built by the project and timed
# the same way, the two taking turns in one run. Also prints each program's memory with its
# window open and idle, and where the launcher's start-up time goes.
#   tools/bench-startup.sh [RUNS]     (default 15 starts each; medians reported)
# COMPARE_WITH=path/to/another/PlayMirefall.exe adds that build to the same run (as on a PC
# and as on a Deck), for a before-and-after figure.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/tools/common.sh"
runs=${1:-15}

"$root/tools/install-deps.sh"
configure_windows
cmake --build "$win_build" --target PlayMirefall minimal_gdiplus_window startup_probe >/dev/null

bench="$win_build/bench"
rm -rf "$bench"
mkdir -p "$bench/baseline"
cp -f "$win_build/bin/minimal_gdiplus_window.exe" "$bench/baseline/"
# Each launcher folder is set up as on a start after the first: the one-time questions
# answered, the default prompt style (whose overlay start-up checks against the files).
#   launcher-pc       a PC: every start runs the Steam Deck check (answered from the CPU brand
#                     on any processor that is not a Deck's APU)
#   launcher-deck     a Deck after its first start: the preset is recorded as applied
#   launcher-overlay  as launcher-deck, but the overlay has to be drawn again each time
answered=$'launcher_share_shader_cache = off\r\nlauncher_native_offer_v2 = no\r\n'
preset_applied=$'deck_preset_applied = 1\r\n'
declare -A ini=([launcher-pc]="$answered" [launcher-deck]="$answered$preset_applied"
                [launcher-overlay]="$answered$preset_applied")
programs=(launcher-pc launcher-deck launcher-overlay)
if [[ -n ${COMPARE_WITH:-} ]]; then
  for variant in pc deck; do
    ini[compared-$variant]=${ini[launcher-$variant]}
    programs+=("compared-$variant")
  done
fi
for program in "${programs[@]}"; do
  mkdir -p "$bench/$program"
  if [[ $program == compared-* ]]; then
    cp -f "$COMPARE_WITH" "$bench/$program/PlayMirefall.exe"
  else
    cp -f "$win_build/bin/PlayMirefall.exe" "$bench/$program/"
  fi
  printf '%s' "${ini[$program]}" >"$bench/$program/launcher.ini"
done

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
  [[ $program == launcher-overlay ]] && clean='textures\*.overlay.png'
  probe_arguments+=("$(win_path "$bench/$program/PlayMirefall.exe")" MFLauncherWindow "$launcher_regions" "$clean")
done
probe_arguments+=("$(win_path "$bench/baseline/minimal_gdiplus_window.exe")" MinimalGdiplusWindow "$baseline_regions" -)

echo "load before the run: $(uptime)"
# What Wine and the programs write to stderr (ALSA, GStreamer) goes to a file, shown only
# when the probe fails.
"$root/tools/wine-run.sh" "$win_build/bin/startup_probe.exe" "$runs" "${probe_arguments[@]}" \
  2>"$bench/probe-stderr.log" || { cat "$bench/probe-stderr.log" >&2; exit 1; }

# The breakdown comes from separate starts, so that writing it down costs the timed ones
# nothing.
timings="$bench/startup-timings.txt"
for program in launcher-pc launcher-deck baseline; do
  rm -f "$timings"
  if [[ $program == baseline ]]; then
    exe=$bench/baseline/minimal_gdiplus_window.exe class=MinimalGdiplusWindow regions=$baseline_regions
  else
    exe=$bench/$program/PlayMirefall.exe class=MFLauncherWindow regions=$launcher_regions
  fi
  MF_STARTUP_TIMINGS="$(win_path "$timings")" "$root/tools/wine-run.sh" "$win_build/bin/startup_probe.exe" \
    "$runs" "$(win_path "$exe")" "$class" "$regions" - \
    >/dev/null 2>"$bench/probe-stderr.log" || { cat "$bench/probe-stderr.log" >&2; exit 1; }
  echo
  echo "$program start-up steps, median of $runs starts (ms; 'done at' counts from process creation):"
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
done
echo "load after the run: $(uptime)"

#!/usr/bin/env bash
# Update benchmark (not a test), two ratios measured in the same run on the same machine:
#  1. installing a release zip (about 150 MB, a few hundred files) with the update helper
#     under Wine, against `unzip -o` plus a copy of the same files into an installation;
#  2. downloading that zip from the local HTTPS test server with the launcher's download
#     worker under Wine, against curl.
#   [HELPER_EXE=...] tools/bench-update.sh [RUNS] [SIZE_MB]     (default 3 runs, 150 MB; medians reported)
# The helper reports where its time went (MF_UPDATE_TIMINGS), printed as a breakdown.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/tools/common.sh"
runs=${1:-3}
size_mb=${2:-150}
# HELPER_EXE=other/PlayMirefall.exe times another build's helper on the same zip.
helper_exe=${HELPER_EXE:-$root/build-win/bin/PlayMirefall.exe}

"$root/tools/install-deps.sh"
configure_and_build_windows >/dev/null

bench="$win_build/bench-update"
server="$bench/https"
rm -rf "$bench"
mkdir -p "$bench"
cleanup() { "$root/tests/https/https_server.sh" stop "$server"; stop_wine; stop_display; }
trap cleanup EXIT
start_private_display
start_wine_session
"$root/tests/https/https_server.sh" start "$server"
port=$(cat "$server/port")

zip="$bench/release.zip"
/usr/bin/python3 "$root/tools/make_release_zip.py" "$zip" "$win_build/bin/mirefall.exe" "$size_mb"
cp "$zip" "$server/www/MFRecomp-v2.0.12.zip"

win_path() { WINEPREFIX="$MF_WINEPREFIX" winepath -w "$1" 2>/dev/null; }
now() { date +%s.%N; }
median() { sort -g | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }

fresh_install() {
  rm -rf "$bench/install" && mkdir -p "$bench/install/userdata"
  echo "[video]" >"$bench/install/mirefall.toml"
  echo "save" >"$bench/install/userdata/save.dat"
}

helper_times=() baseline_times=() worker_times=() curl_times=()
timings="$bench/helper-timings.txt"
timings_w=$(win_path "$timings")
for ((run = 1; run <= runs; run++)); do
  # The helper: its own temporary folder, the zip copied in (it deletes the zip when done).
  fresh_install
  temp="$bench/temp" && rm -rf "$temp" && mkdir -p "$temp"
  cp "$zip" "$temp/mf1_update.zip"
  cp "$helper_exe" "$temp/mf1_update_helper.exe"
  # winepath is a Wine program too: the paths are worked out before the clock starts.
  temp_w=$(win_path "$temp") zip_w=$(win_path "$temp/mf1_update.zip") install_w=$(win_path "$bench/install")
  start=$(now)
  TMP=$temp_w TEMP=$temp_w MF_UPDATE_TIMINGS=$timings_w "$root/tools/wine-run.sh" "$temp/mf1_update_helper.exe" \
    --apply-update "$zip_w" "$install_w" 0 >/dev/null 2>&1 ||
    { echo "the helper failed:"; cat "$temp/mf1_update.log"; exit 1; }
  # The helper pauses 500 ms for the old launcher to let go of its files; not work.
  helper_times+=("$(echo "$(now) - $start - 0.5" | bc)")
  cmp -s "$bench/install/mirefall.exe" <(unzip -p "$zip" MFRecomp-v2.0.12/mirefall.exe) ||
    { echo "the helper did not install the release"; exit 1; }

  # The baseline: unzip into staging, copy the same files over an installation.
  fresh_install
  rm -rf "$bench/staging"
  start=$(now)
  unzip -o -q "$zip" -d "$bench/staging"
  cp -r "$bench/staging/MFRecomp-v2.0.12/." "$bench/install/"
  baseline_times+=("$(echo "$(now) - $start" | bc)")

  # Downloads from the same server: the worker reports its own transfer time.
  rm -f "$bench/download.zip"
  worker=$("$root/tools/wine-run.sh" "$win_build/bin/download_probe.exe" "$(win_path "$server/ca.der")" \
    "https://localhost:$port/MFRecomp-v2.0.12.zip" "$(win_path "$bench/download.zip")" 2>/dev/null)
  worker_times+=("${worker%% *}")
  cmp -s "$bench/download.zip" "$zip" || { echo "the download worker did not fetch the whole zip"; exit 1; }
  curl_times+=("$(curl -s --cacert "$server/ca.pem" -o /dev/null -w '%{time_total}' \
    "https://localhost:$port/MFRecomp-v2.0.12.zip")")
done

helper=$(printf '%s\n' "${helper_times[@]}" | median)
baseline=$(printf '%s\n' "${baseline_times[@]}" | median)
worker=$(printf '%s\n' "${worker_times[@]}" | median)
curl_time=$(printf '%s\n' "${curl_times[@]}" | median)
zip_mb=$(echo "scale=1; $(stat -c %s "$zip") / 1048576" | bc)
echo "release zip: $zip_mb MB, $(unzip -l "$zip" | tail -n 1 | awk '{print $2}') files; medians of $runs runs"
printf 'install: helper under Wine %.2f s (less its 0.5 s pause), unzip -o + cp %.2f s, ratio %.2f\n' \
  "$helper" "$baseline" "$(echo "$helper / $baseline" | bc -l)"
# Each run appended "phase<TAB>ms" lines and a blank line: the median of each phase.
[[ -s $timings ]] && /usr/bin/python3 - "$timings" <<'PY'
import statistics, sys
phases = {}
for run in open(sys.argv[1]).read().split("\n\n"):
    for line in run.strip().splitlines():
        name, ms = line.rsplit("\t", 1)
        phases.setdefault(name, []).append(float(ms))
shown = [f"{name} {statistics.median(values):.0f}" for name, values in phases.items() if statistics.median(values) >= 0.5]
print("helper phases (median ms): " + ", ".join(shown))
PY
printf 'download: worker under Wine %.2f s (%.0f MB/s), curl %.2f s (%.0f MB/s), ratio %.2f\n' \
  "$worker" "$(echo "$zip_mb / $worker" | bc -l)" "$curl_time" "$(echo "$zip_mb / $curl_time" | bc -l)" \
  "$(echo "$worker / $curl_time" | bc -l)"

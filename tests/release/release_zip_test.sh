#!/usr/bin/env bash
# The release zip writer (tools/release/release_zip.py) on a stand-in game folder: the
# layout the update helper installs, the player's files left out, a line for each program
# file the folder lacks, and the same bytes from the same inputs however old the files are.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

game="$work/game dir"
mkdir -p "$game/native/sub" "$game/prompts/ps_solid" "$game/userdata/cache/shaders/shareable" "$game/assets" "$work/out"
printf 'exe' >"$work/PlayMirefall.exe"
printf 'readme' >"$work/README.txt"
for f in mirefall.exe hxbruntimerd.dll hxbgpu-xenosrd.dll TracyClientrd.dll gamecontrollerdb.txt; do printf '%s' "$f" >"$game/$f"; done
printf 'b' >"$game/native/b.dll"
printf 'a' >"$game/native/sub/a.dll"
printf 'icon' >"$game/prompts/ps_solid/Cross.png"
printf 'shader' >"$game/userdata/cache/shaders/shareable/s.bin"
# A player's files and the game's data: never part of a release.
for f in mirefall.toml launcher.ini mirefall.toml.backup assets/default.xex userdata/cache/own.bin; do
  printf 'player' >"$game/$f"
done

make_zip() {
  python3 "$root/tools/release/release_zip.py" --out "$1" --top MFRecomp-v9.8.7-win64 \
    --exe "$work/PlayMirefall.exe" --readme "$work/README.txt" --game "$game"
}

make_zip "$work/out/first.zip" >"$work/first.txt"
touch -d '2031-05-06 07:08:09' "$game/mirefall.exe" "$game/native/b.dll" "$work/PlayMirefall.exe"
make_zip "$work/out/second.zip" >/dev/null
cmp "$work/out/first.zip" "$work/out/second.zip" || fail "the same inputs gave different bytes"

listing=$(python3 - "$work/out/first.zip" <<'PY'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as z:
    for i in z.infolist():
        print(i.filename, i.date_time[0], z.read(i).decode())
PY
)
expected="MFRecomp-v9.8.7-win64/PlayMirefall.exe 1980 exe
MFRecomp-v9.8.7-win64/README.txt 1980 readme
MFRecomp-v9.8.7-win64/TracyClientrd.dll 1980 TracyClientrd.dll
MFRecomp-v9.8.7-win64/gamecontrollerdb.txt 1980 gamecontrollerdb.txt
MFRecomp-v9.8.7-win64/hxbgpu-xenosrd.dll 1980 hxbgpu-xenosrd.dll
MFRecomp-v9.8.7-win64/hxbruntimerd.dll 1980 hxbruntimerd.dll
MFRecomp-v9.8.7-win64/mirefall.exe 1980 mirefall.exe
MFRecomp-v9.8.7-win64/native/b.dll 1980 b
MFRecomp-v9.8.7-win64/native/sub/a.dll 1980 a
MFRecomp-v9.8.7-win64/prompts/ps_solid/Cross.png 1980 icon
MFRecomp-v9.8.7-win64/userdata/cache/shaders/shareable/s.bin 1980 shader"
[[ $listing == "$expected" ]] || fail "unexpected entries:"$'\n'"$listing"

for missing in amd_fidelityfx_dx12drel.dll mirefall_usa.exe; do
  grep -q "^not in $game: $missing " "$work/first.txt" || fail "no line for the missing $missing"
done
[[ $(grep -c '^not in' "$work/first.txt") == 2 ]] || fail "lines for files that are there: $(cat "$work/first.txt")"
echo "release zip: layout, left-out files and same bytes as expected"

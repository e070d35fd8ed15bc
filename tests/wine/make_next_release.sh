#!/usr/bin/env bash
# The release the end-to-end update test updates to, made the way a maintainer makes one:
# a stand-in game folder (the stand-in game with a marker, DLLs and a native folder made of
# text; mirefall_usa.exe and amd_fidelityfx_dx12drel.dll left out, as a game folder may
# lack them) and tools/make-release.sh with MF_VERSION set to the next version.
#   make_next_release.sh OUT_DIR VERSION STAND_IN_GAME_EXE
# (MF_RELEASE_BUILD names another build folder than OUT_DIR/build.)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
out=$1
version=$2
stand_in=$3

game="$out/game"
rm -rf "$game"
mkdir -p "$game/native"
{ cat "$stand_in"; printf 'stand-in game of v%s' "$version"; } >"$game/mirefall.exe"
for dll in hxbruntimerd.dll hxbgpu-xenosrd.dll TracyClientrd.dll; do
  printf '%s of v%s\n' "$dll" "$version" >"$game/$dll"
done
printf 'gamecontrollerdb of v%s\n' "$version" >"$game/gamecontrollerdb.txt"
printf 'native renderer of v%s\n' "$version" >"$game/native/renderer.txt"
# A player's file in the game folder never goes into a release.
printf '[video]\r\nfullscreen = true\r\n' >"$game/mirefall.toml"

MF_VERSION=$version MF_RELEASE_BUILD="${MF_RELEASE_BUILD:-$out/build}" bash "$root/tools/make-release.sh" "$game" "$out"

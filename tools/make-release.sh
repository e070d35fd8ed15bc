#!/usr/bin/env bash
# Makes a release: builds PlayMirefall.exe and writes MFRecomp-v<version>-win64.zip, in the
# layout the update helper installs, with its SHA-256 beside it in the form the release
# feed's "digest" carries.
#
#   bash tools/make-release.sh GAME_DIR [OUT_DIR]
#
# GAME_DIR holds the game's program files (mirefall.exe, its DLLs, gamecontrollerdb.txt...)
# and its prompts, textures and native folders; only those go into the zip, never a
# player's files. OUT_DIR defaults to out/release. Writes OUT_DIR/MFRecomp-v<version>-win64.zip
# and OUT_DIR/MFRecomp-v<version>-win64.zip.sha256 ("sha256:<hex>"). The same inputs give
# the same bytes.
#
# Environment:
#   MF_VERSION=X.Y.Z                another version than the project's (CMakeLists.txt)
#   MF_SHADER_SHARE_WEBHOOK_URL=... the project's real shader-cache webhook (a secret)
#   MF_RELEASE_BUILD=DIR            the build folder (default build-release, or
#                                   build-release-X.Y.Z with MF_VERSION)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

if [[ $# -lt 1 || $# -gt 2 ]]; then
  echo "usage: bash tools/make-release.sh GAME_DIR [OUT_DIR]" >&2
  exit 2
fi
game=$(cd "$1" && pwd) || { echo "no game folder: $1" >&2; exit 2; }
out=${2:-$root/out/release}
build=${MF_RELEASE_BUILD:-$root/build-release${MF_VERSION:+-$MF_VERSION}}

"$root/tools/install-deps.sh"

configure=(-S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DMF_VERSION="${MF_VERSION:-}")
if [[ -n ${MF_SHADER_SHARE_WEBHOOK_URL:-} ]]; then
  configure+=(-DMF_SHADER_SHARE_WEBHOOK_URL="$MF_SHADER_SHARE_WEBHOOK_URL")
fi
cmake "${configure[@]}" >/dev/null
# Only the launcher: a release needs none of the tests.
cmake --build "$build" --target PlayMirefall

# The version the exe was built with, as its own version.h says it.
tag=$(sed -n 's/.*kCurrentVersionTag = "\(v[0-9.]*\)".*/\1/p' "$build/generated/resources/version.h")
[[ -n $tag ]] || { echo "cannot read the version from $build/generated/resources/version.h" >&2; exit 1; }
name="MFRecomp-$tag-win64"

mkdir -p "$out"
out=$(cd "$out" && pwd)
readme="$build/release-README.txt"
sed "s/@VERSION@/$tag/" "$root/tools/release/README.txt.in" >"$readme"

echo "$name.zip from $game:"
python3 "$root/tools/release/release_zip.py" --out "$out/$name.zip" --top "$name" \
  --exe "$build/bin/PlayMirefall.exe" --readme "$readme" --game "$game"
digest="sha256:$(sha256sum "$out/$name.zip" | cut -d' ' -f1)"
echo "$digest" >"$out/$name.zip.sha256"
echo "$out/$name.zip"
echo "$digest"

#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine. Safe to run again:
# apt-get skips what is already there, and the package lists are refreshed only when
# something is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest           # native build and unit tests
  g++-mingw-w64-x86-64-posix                 # the Windows build
  wine wine64 xvfb fonts-wine fonts-liberation  # running it: Wine on a private X display
  imagemagick                                # the demo's screenshot
  python3 python3-pil                        # the TOML check in the tests; the artwork script
  clang libclang-rt-14-dev                   # libFuzzer
  sox vorbis-tools                           # tools/make_music.sh: the title-screen music loop
  libstb-dev                                 # stb_vorbis: the music decoded in the launcher where no codec plays it
  libz-mingw-w64-dev dpkg-dev                # zlib for the Windows build; building libzip from source
  openssl curl unzip bc                      # the updater tests' HTTPS server and its benchmark
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  # Wait for another apt-get (a second build folder installing at the same moment) rather
  # than fail on its lock.
  apt-get -o DPkg::Lock::Timeout=600 update -qq
  apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# libzip for the Windows target: built from Debian's source package once per project folder.
"$(dirname "${BASH_SOURCE[0]}")/install-libzip-mingw.sh"

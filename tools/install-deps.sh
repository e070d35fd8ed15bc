#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine. Safe to run again:
# apt-get skips what is already there, and the package lists are refreshed only when
# something is missing.
set -euo pipefail

packages=(
  cmake make g++ ninja-build
  g++-mingw-w64-x86-64-posix mingw-w64-tools
  googletest
  wine wine64
  xvfb x11-utils xdotool
  fonts-wine fonts-liberation
  imagemagick
  python3 python3-pil
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

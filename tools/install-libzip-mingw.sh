#!/usr/bin/env bash
# Builds libzip for the Windows target from Debian's source package and installs it under
# build-deps/ in the project folder (never committed). Debian ships libzip only for Linux;
# the MinGW build links this static copy with Debian's MinGW zlib. Safe to run again: it
# does nothing once the library is there, and parallel runs wait for each other.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
prefix="$root/build-deps/libzip-mingw"
[[ -f $prefix/lib/libzip.a && -f $prefix/include/zip.h ]] && exit 0

mkdir -p "$root/build-deps"
exec 9>"$root/build-deps/libzip-mingw.lock"
flock 9
[[ -f $prefix/lib/libzip.a && -f $prefix/include/zip.h ]] && exit 0

# Source packages come from the same mirrors as the binary ones: a deb-src twin of each
# one-file-per-source entry.
src_list=/etc/apt/sources.list.d/mf-deb-src.sources
if [[ ! -f $src_list ]]; then
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$src_list.tmp"
  mv "$src_list.tmp" "$src_list"
  apt-get -o DPkg::Lock::Timeout=600 update -qq
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get source -qq libzip >/dev/null 2>&1)
source_dir=$(find "$work" -maxdepth 1 -type d -name 'libzip-*' | head -n 1)
[[ -n $source_dir ]] || { echo "apt-get source libzip gave no source folder" >&2; exit 1; }

cmake -S "$source_dir" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DBUILD_SHARED_LIBS=OFF -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF \
  -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF -DENABLE_COMMONCRYPTO=OFF -DENABLE_GNUTLS=OFF \
  -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF -DENABLE_WINDOWS_CRYPTO=OFF >"$work/configure.log" 2>&1 ||
  { cat "$work/configure.log" >&2; exit 1; }
cmake --build "$work/build" >"$work/build.log" 2>&1 || { tail -n 40 "$work/build.log" >&2; exit 1; }
cmake --install "$work/build" >/dev/null

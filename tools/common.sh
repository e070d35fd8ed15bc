# Shared by the scripts in tools/: building both targets, the X display and the Wine prefix.
# Source it; it expects `root` to be the project folder.

native_build="$root/build-native"
win_build="$root/build-win"
fuzz_build="$root/build-fuzz"
export MF_WINEPREFIX="$win_build/wineprefix"

configure_and_build_native() {
  cmake -S "$root" -B "$native_build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMF_SANITIZE=ON >/dev/null
  cmake --build "$native_build"
}

# libFuzzer needs clang: the fuzz targets get a build folder of their own.
configure_and_build_fuzzers() {
  CC=clang CXX=clang++ cmake -S "$root" -B "$fuzz_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMF_FUZZ=ON >/dev/null
  cmake --build "$fuzz_build"
}

# Optimised, with debug information built and then kept out of the shipped exe (see
# src/app/CMakeLists.txt).
configure_windows() {
  cmake -S "$root" -B "$win_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
}

configure_and_build_windows() {
  configure_windows
  cmake --build "$win_build"
}

# Starts a private Xvfb when there is no display (or when asked to), exporting DISPLAY and
# remembering the process so stop_display can end it. Its output goes to a file: an open
# pipe would keep a CI job waiting.
started_xvfb_pid=""
start_private_display() {
  local fifo log
  log="$win_build/xvfb.log"
  mkdir -p "$win_build"
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$fifo" >"$log" 2>&1 &
  started_xvfb_pid=$!
  local number
  read -r -t 30 number <"$fifo" || { echo "Xvfb did not start (see $log)" >&2; rm -f "$fifo"; return 1; }
  rm -f "$fifo"
  export DISPLAY=":$number"
}

stop_display() {
  if [[ -n $started_xvfb_pid ]]; then
    kill "$started_xvfb_pid" 2>/dev/null || true
    wait "$started_xvfb_pid" 2>/dev/null || true
    started_xvfb_pid=""
  fi
}

# Starts the prefix's wineserver and Wine's background processes up front, with their output
# on /dev/null. Otherwise the first test program to start them hands them its output pipe,
# and CTest waits for that test until the last Wine process of the run has gone.
start_wine_session() {
  "$root/tools/wine-prefix.sh" "$MF_WINEPREFIX"
  WINEPREFIX="$MF_WINEPREFIX" wineserver -p >/dev/null 2>&1
  WINEPREFIX="$MF_WINEPREFIX" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    wine cmd /c exit >/dev/null 2>&1 </dev/null
}

stop_wine() {
  WINEPREFIX="$MF_WINEPREFIX" wineserver -k 2>/dev/null || true
}

#!/usr/bin/env bash
# Builds everything and runs every test: the plain logic natively (with AddressSanitizer and
# UBSan) and under Wine, a short libFuzzer run over the settings parsers, and the tests that
# drive the real launcher under Wine on a private X display. Ends with CTest's summary of all of them; exits non-zero when any test fails.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/tools/common.sh"

"$root/tools/install-deps.sh"
configure_and_build_native
configure_and_build_fuzzers
configure_and_build_windows

# The Wine tests always get a display of their own, so they neither disturb a desktop nor
# depend on one.
# The updater tests' HTTPS server is started and stopped by CTest; stopped here as well in
# case the run is cut short.
cleanup() { "$root/tests/https/https_server.sh" stop "$win_build/https-test"; stop_wine; stop_display; }
trap cleanup EXIT
start_private_display
start_wine_session

# One CTest run over both builds, so there is one summary at the end.
suite="$root/build-tests"
mkdir -p "$suite"
printf 'subdirs("%s" "%s" "%s")\n' "$native_build" "$fuzz_build" "$win_build" >"$suite/CTestTestfile.cmake"
ctest --test-dir "$suite" --output-on-failure -j2 "$@"

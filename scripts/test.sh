#!/usr/bin/env bash
# Builds everything once per preset: CI (warnings are errors), sanitizers (address and undefined
# behaviour), fuzz (clang) and Windows (mingw-w64). Runs each fuzz target for a few seconds, the Windows
# tests under Wine in a prefix of their own, then every test through ctest, under the sanitizers and in
# the CI build, with a real X server for the tests that look at windows.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)
cmake --preset ci
cmake --build --preset ci -j "$jobs"
cmake --preset asan
cmake --build --preset asan -j "$jobs"
cmake --preset fuzz
cmake --build --preset fuzz -j "$jobs"
cmake --preset windows
cmake --build --preset windows -j "$jobs"

ctest --preset fuzz

WINEPREFIX="$(mktemp -d)/wine"
export WINEPREFIX WINEDEBUG=-all
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$(dirname "$WINEPREFIX")"' EXIT
# One virtual X server for every run: a second one started right after the first has stopped can find
# the display number still taken. Wine's server goes before the X server does.
xvfb-run -a -s "-screen 0 1600x1000x24" bash -c "
    set -e
    ctest --preset windows
    wineserver -k >/dev/null 2>&1 || true
    ctest --preset asan -j $jobs
    ctest --preset ci -j $jobs
"

#!/usr/bin/env bash
# Builds and tests the named presets (all of them by default): ci (warnings are errors), asan (address
# and undefined-behaviour sanitizers), fuzz (clang; each fuzz target runs for a few seconds) and windows
# (kelvane.exe and the core's tests, built with mingw-w64 against the cross-built Qt of cross-qt.sh; its
# tests run under Wine in a prefix of their own) and package (the Debian package made from the ci build,
# installed, run and removed again). Every build comes first, then the tests, with a real X server for
# the tests that look at windows.
#
#   bash scripts/test.sh              # everything, as CI runs it
#   bash scripts/test.sh ci asan      # only these presets
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

all=(ci asan fuzz windows package)
presets=("$@")
if [ ${#presets[@]} -eq 0 ]; then
    presets=("${all[@]}")
fi
for preset in "${presets[@]}"; do
    if [[ ! " ${all[*]} " =~ " ${preset} " ]]; then
        echo "test.sh: unknown preset '${preset}' (known: ${all[*]})" >&2
        exit 2
    fi
done
wants() { [[ " ${presets[*]} " =~ " $1 " ]]; }

jobs=$(nproc)
if wants windows; then
    bash scripts/cross-qt.sh >/dev/null # Qt for Windows, provided once per machine
fi
builds=()
for preset in "${presets[@]}"; do
    # The package is made from the ci build.
    [ "$preset" = package ] && preset=ci
    [[ " ${builds[*]} " =~ " ${preset} " ]] || builds+=("$preset")
done
for preset in "${builds[@]}"; do
    cmake --preset "$preset"
    cmake --build --preset "$preset" -j "$jobs"
done

if wants fuzz; then
    ctest --preset fuzz
fi

WINEPREFIX="$(mktemp -d)/wine"
export WINEPREFIX WINEDEBUG=-all
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$(dirname "$WINEPREFIX")"' EXIT
# One virtual X server for every run: a second one started right after the first has stopped can find
# the display number still taken. Wine's server goes before the X server does.
xvfb-run -a -s "-screen 0 1600x1000x24" bash -c "
    set -e
    if [[ ' ${presets[*]} ' =~ ' windows ' ]]; then
        ctest --preset windows
        wineserver -k >/dev/null 2>&1 || true
    fi
    if [[ ' ${presets[*]} ' =~ ' asan ' ]]; then ctest --preset asan -j $jobs; fi
    if [[ ' ${presets[*]} ' =~ ' ci ' ]]; then ctest --preset ci -j $jobs; fi
    if [[ ' ${presets[*]} ' =~ ' package ' ]]; then bash tests/package/debian_package_test.sh build/ci; fi
"

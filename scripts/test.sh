#!/usr/bin/env bash
# Builds everything once per preset: CI (warnings are errors), sanitizers (address and undefined
# behaviour) and fuzz (clang). Runs each fuzz target for a few seconds, then every test through ctest,
# under the sanitizers and in the CI build, with a real X server for the tests that look at windows.
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

ctest --preset fuzz
# One virtual X server for both runs: a second one started right after the first has stopped can
# find the display number still taken.
xvfb-run -a -s "-screen 0 1600x1000x24" bash -c "ctest --preset asan -j $jobs && ctest --preset ci -j $jobs"

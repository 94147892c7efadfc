#!/usr/bin/env bash
# Builds everything once (CI preset: warnings are errors), runs each fuzz target for a few seconds, then
# runs every test through ctest, with a real X server for the tests that look at windows.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)
cmake --preset ci
cmake --build --preset ci -j "$jobs"
cmake --preset fuzz
cmake --build --preset fuzz -j "$jobs"

ctest --preset fuzz
xvfb-run -a -s "-screen 0 1600x1000x24" ctest --preset ci -j "$jobs"

#!/usr/bin/env bash
# Builds Kelvane (developer preset) and starts it. Arguments are passed to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target kelvane
exec build/dev/bin/kelvane "$@"

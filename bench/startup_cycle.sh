#!/usr/bin/env bash
# One whole life of the program, offscreen: start, wait until it takes requests, ask it to exit, and
# wait until it has saved its settings and ended. Time it from outside, for example with
#   hyperfine 'bash bench/startup_cycle.sh build/ci/bin/kelvane'
set -euo pipefail
program=${1:-build/ci/bin/kelvane}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=offscreen
mkdir -p "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

"$program" &
first=$!
until [ -S "$XDG_RUNTIME_DIR/kelvane.sock" ]; do sleep 0.005; done
"$program" /CLOSE
wait "$first"
test -f "$XDG_DATA_HOME/Quillfen/Kelvane/settings.ini"

#!/usr/bin/env bash
# Wake-ups per minute of the program while it waits hidden in the tray: the context switches of all its
# threads over a stretch of time, scaled to one minute. Needs an X display with a tray; run it as
#   xvfb-run -a bash bench/hidden_wakeups.sh [build/ci/bin/kelvane] [seconds, default 60]
set -euo pipefail
program=${1:-build/ci/bin/kelvane}
seconds=${2:-60}
work=$(mktemp -d)
cleanup() {
    [ -n "${tray:-}" ] && kill "$tray" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_DATA_HOME/Quillfen/Kelvane" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
printf '[Settings]\r\nStartMin=1\r\nMinToTray=1\r\n' >"$XDG_DATA_HOME/Quillfen/Kelvane/settings.ini"

trayer --edge bottom --align right --widthtype pixel --width 200 --height 32 --SetDockType true &
tray=$!
"$program" 2>/dev/null &
pid=$!
until [ -S "$XDG_RUNTIME_DIR/kelvane.sock" ]; do sleep 0.05; done
sleep 3 # start-up work done

# Context switches per thread, as "thread-id name count" lines.
switches() {
    for task in /proc/"$pid"/task/*; do
        printf '%s %s %d\n' "${task##*/}" "$(tr ' ' '_' <"$task/comm")" \
            "$(awk '/ctxt_switches/ { n += $2 } END { print n }' "$task/status")"
    done | sort
}
before=$(switches)
sleep "$seconds"
after=$(switches)

join <(echo "$before") <(echo "$after") | awk -v s="$seconds" '
    { d = $5 - $3; total += d; printf "  %-20s %6.1f per minute\n", $2, d * 60 / s }
    END { printf "all threads:           %6.1f wake-ups per minute (aim: at most 15)\n", total * 60 / s }'

"$program" /CLOSE
wait "$pid"

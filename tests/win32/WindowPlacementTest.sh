#!/usr/bin/env bash
# kelvane.exe on a small screen: an X server of 1024 x 768 pixels and a Wine prefix, both made for this
# run alone and removed after it, so that neither the other Wine tests nor their display see it.
# WindowPlacementChecks.cpp starts the program and looks at its window from inside the prefix.
#
#   WindowPlacementTest.sh <checks executable beside kelvane.exe>
set -euo pipefail
checks=$1

scratch=$(mktemp -d)
export WINEPREFIX=$scratch/wine WINEDEBUG=-all
# A fresh prefix would offer to download Wine's .NET and HTML engines; nothing here uses them.
export WINEDLLOVERRIDES="mscoree,mshtml="
# The program's update check goes to a port where nothing listens, never to the network.
export KELVANE_UPDATE_URL=https://127.0.0.1:1/updates/KelvaneUpdates.ver
# Wine's server ends before its X server does, and takes nothing of another prefix with it.
trap 'rm -rf "$scratch"' EXIT

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    status=0
    wineboot -i >/dev/null 2>&1 && wineserver -w
    wine "$0" || status=$?
    wineserver -k >/dev/null 2>&1 || true
    exit $status' "$checks"

#!/usr/bin/env bash
# The setup program on a Windows that has never seen Kelvane: a Wine prefix made for this run alone and
# deleted after it. It installs silently; the installed program starts from its Start-menu shortcut,
# shows its window and ends on /CLOSE, and is set to start with Windows through its own menu; the quiet
# uninstall that it registers removes the program folder and that Run value and keeps the user's data
# folder. Before that, the uninstaller's rule for the Run value is tried alone, through the probe, on
# many spellings. InstallerChecks.cpp looks at each step from inside the prefix.
#
#   InstallerTest.sh <makensis> <setup program> <checks executable> <autostart removal probe>
#
# Ends with 77, which CTest reports as skipped, where makensis is missing and no setup program was made.
set -euo pipefail
makensis=$1 installer=$2 checks=$3 probe=$4

if [ ! -x "$makensis" ]; then
    echo "makensis is missing (Debian: nsis): the setup program is not built, nothing to test"
    exit 77
fi
[ -f "$installer" ] || { echo "no setup program at $installer" >&2; exit 1; }
[ -f "$probe" ] || { echo "no autostart removal probe at $probe" >&2; exit 1; }

scratch=$(mktemp -d)
export WINEPREFIX=$scratch/wine WINEDEBUG=-all
# A fresh prefix would offer to download Wine's .NET and HTML engines; nothing here uses them.
export WINEDLLOVERRIDES="mscoree,mshtml="
# The program's update check goes to a port where nothing listens, never to the network.
export KELVANE_UPDATE_URL=https://127.0.0.1:1/updates/KelvaneUpdates.ver
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$scratch"' EXIT

wineboot -i >/dev/null 2>&1
wineserver -w

echo "== the uninstaller's rule for the Run value"
KELVANE_AUTOSTART_PROBE=$probe wine "$checks" --gtest_filter='AutostartRemoval.*'

echo "== silent install"
wine "$installer" /S
wine "$checks" --gtest_filter='AfterInstall.*'

echo "== quiet uninstall"
wine "$checks" --gtest_filter='Uninstall.*'
# The uninstaller goes on from a copy of itself in the temporary folder, after the command has ended:
# wait for every process of the prefix.
wineserver -w
wine "$checks" --gtest_filter='AfterUninstall.*'

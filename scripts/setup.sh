#!/usr/bin/env bash
# Installs, from Debian's packages, what building, running and testing Kelvane needs.
# Quick when everything is present: apt is only touched for packages that are missing.
set -euo pipefail

packages=(
    # build
    cmake ninja-build g++ pkg-config
    # libraries
    qt6-base-dev libgl-dev nlohmann-json3-dev libx11-dev libxtst-dev
    # tests, benchmarks and fuzzing
    libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
    # the program's run time; XScreenSaver is the desktop screensaver it sets on Linux
    tzdata xscreensaver xscreensaver-data
    # the update check's tests: a local HTTPS server with a certificate made at test time
    python3 openssl
    # tests that need a real X server and a notification area, screenshots
    xvfb xauth xdotool x11-utils trayer
    # running the program under a faked clock, for scheduled events
    faketime
    # reading desktop entries as GLib does (gio launch), for the autostart entry's tests
    libglib2.0-bin
    # the Debian package: its dependencies, and the checks of the package and of what it installs
    dpkg-dev lintian desktop-file-utils appstream
    # the Windows build and its tests: the posix-thread cross compiler, and Wine to run what it builds
    g++-mingw-w64-x86-64-posix wine wine64
    # the faces Windows programs expect (Tahoma and others), without which Wine draws in whatever it finds
    fonts-wine
    # the Windows setup program
    nsis
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null 2>&1; then
            echo "setup: run as root to install: ${missing[*]}" >&2
            exit 1
        fi
        as_root=(sudo)
    fi
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

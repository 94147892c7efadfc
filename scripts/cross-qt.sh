#!/usr/bin/env bash
# Provides Qt for 64-bit Windows (cross-built with mingw-w64), once per machine, and prints where it is.
# It takes the ready archive from ../shared/toolchains/ when that is present and its checksum matches;
# otherwise it builds the same thing from Debian's own qt6-base source (25 to 40 minutes of two cores).
# The result stays in a cache folder keyed by the host's Qt, the cross compiler and the recipe; the
# Windows preset finds it through the stable link $KELVANE_TOOLCHAINS/qt6-mingw.
set -euo pipefail
cd "$(dirname "$0")/.."

recipe=1
toolchains="${KELVANE_TOOLCHAINS:-${XDG_CACHE_HOME:-$HOME/.cache}/kelvane-toolchains}"
shared="../shared/toolchains/qt6.4.2-mingw64.tar.xz"
host_qt=$(dpkg-query -W -f='${Version}' qt6-base-dev)
mingw=$(x86_64-w64-mingw32-g++-posix -dumpversion)
key="qt6.4.2-mingw64-host${host_qt//[^0-9A-Za-z.]/_}-gcc${mingw}-r${recipe}"
folder="$toolchains/$key"
prefix="$folder/qt6-mingw"

mkdir -p "$toolchains"
exec 9>"$toolchains/$key.lock"
flock 9 # two runs never fill one folder

if [ ! -e "$folder/.complete" ]; then
    rm -rf "$folder"
    mkdir -p "$folder"
    if [ -f "$shared" ] && (cd "$(dirname "$shared")" && sha256sum --quiet -c "$(basename "$shared").sha256"); then
        echo "cross-qt: unpacking $shared" >&2
        tar -C "$folder" -xJf "$shared"
    else
        echo "cross-qt: building Qt for Windows from Debian's source (this takes a while, once)" >&2
        bash scripts/build-cross-qt.sh "$folder"
    fi
    touch "$folder/.complete"
fi
ln -sfn "$key/qt6-mingw" "$toolchains/qt6-mingw"
echo "$prefix"

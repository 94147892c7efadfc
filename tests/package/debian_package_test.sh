#!/usr/bin/env bash
# The Debian package as a user gets it: made by cpack from a build, checked by lintian, installed with
# apt, its desktop entry and AppStream file validated where they were installed, the program run from the
# system path (--version; a start with a private home that shows its window, asks a local server for the
# version file through its installed network module, and ends on /CLOSE), and removed again. Installing needs root: elsewhere the test says so and passes.
#
#   bash tests/package/debian_package_test.sh build/ci     # needs an X display (xvfb-run)
set -euo pipefail
build=${1:?usage: $0 <build folder>}
app_id=example.quillfen.Kelvane

if [ "$(id -u)" -ne 0 ]; then
    echo "debian package test: skipped (installing a package needs root)"
    exit 0
fi
if dpkg-query -W -f='${Status}' kelvane 2>/dev/null | grep -q 'install ok installed'; then
    echo "debian package test: kelvane is already installed here; not touching it" >&2
    exit 1
fi

work=$(mktemp -d)
pid=
server=
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid"; fi
    if [ -n "$server" ] && kill -0 "$server" 2>/dev/null; then kill "$server"; fi
    if dpkg-query -W -f='${Status}' kelvane 2>/dev/null | grep -q 'install ok installed'; then
        DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq kelvane >/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "debian package test: $*" >&2
    exit 1
}

cpack --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null
deb="$work/package/kelvane_1.01_amd64.deb"
[ -f "$deb" ] || fail "cpack made no $deb"
lintian --fail-on error "$deb" || fail "lintian reports errors"

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
[ "$(command -v kelvane)" = /usr/bin/kelvane ] || fail "kelvane is not on the system path"
[ "$(kelvane --version)" = "Kelvane 1.01" ] || fail "--version says '$(kelvane --version)'"
desktop-file-validate "/usr/share/applications/$app_id.desktop" || fail "the desktop entry is invalid"
appstreamcli validate --no-net "/usr/share/metainfo/$app_id.metainfo.xml" >/dev/null ||
    fail "the AppStream file is invalid"
for icon in 16x16/apps/$app_id.png 256x256/apps/$app_id.png scalable/apps/$app_id.svg; do
    [ -s "/usr/share/icons/hicolor/$icon" ] || fail "no icon $icon"
done

# The version file on a local web server of the test's own.
mkdir -p "$work/site/updates"
printf '1.01\r\nhttps://www.quillfen.example/download\r\nKelvane 1.01\r\n' >"$work/site/updates/KelvaneUpdates.ver"
python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$work/site" >"$work/server.log" 2>&1 &
server=$!
port=
for _ in $(seq 50); do
    port=$(sed -n 's/.* port \([0-9]*\).*/\1/p' "$work/server.log" | head -1)
    [ -n "$port" ] && break
    sleep 0.1
done
[ -n "$port" ] || fail "the local web server did not start: $(cat "$work/server.log")"

# A new user's first start: the window shows, the update check a few seconds later reaches the server,
# and a second start with /CLOSE ends it.
home="$work/home"
mkdir -p "$home/run"
chmod 700 "$home/run"
run() {
    env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" XDG_RUNTIME_DIR="$home/run" \
        KELVANE_UPDATE_URL="http://127.0.0.1:$port/updates/KelvaneUpdates.ver" kelvane "$@"
}
run >"$work/kelvane.log" 2>&1 &
pid=$!
shown=
for _ in $(seq 100); do
    if xdotool search --onlyvisible --name '^Kelvane$' >/dev/null 2>&1; then
        shown=yes
        break
    fi
    sleep 0.2
done
[ -n "$shown" ] || fail "no window shown: $(cat "$work/kelvane.log")"
asked=
for _ in $(seq 150); do
    if grep -q 'GET /updates/KelvaneUpdates.ver' "$work/server.log"; then
        asked=yes
        break
    fi
    sleep 0.2
done
[ -n "$asked" ] || fail "the update check never reached the server: $(cat "$work/kelvane.log")"
run /CLOSE
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"
[ -f "$home/.local/share/Quillfen/Kelvane/settings.ini" ] || fail "the exit saved no settings"

DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq kelvane >/dev/null
[ ! -e /usr/bin/kelvane ] || fail "removing the package left /usr/bin/kelvane"
echo "debian package test: passed ($(stat -c %s "$deb") bytes)"

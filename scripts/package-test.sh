#!/usr/bin/env bash
# Builds the Debian package, checks its control data and contents, installs
# it, starts the installed program headless, and removes the package again.
# Installing needs root; a machine that already has the package keeps it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

fail() { echo "package test: $*" >&2; exit 1; }

deb=$("$here/package.sh" | tail -n 1)
info=$(dpkg-deb --info "$deb")
contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}')
echo "$info" | grep -q '^ Package: dual-simplex$' || fail "wrong package name"
echo "$info" | grep -q '^ Depends: .*libqt5widgets5' || fail "no dependency on Qt 5 widgets worked out"
for path in ./usr/bin/dual-simplex ./usr/share/applications/dual-simplex.desktop \
            ./usr/share/icons/hicolor/scalable/apps/dual-simplex.svg; do
    echo "$contents" | grep -qx "$path" || fail "$path is not in the package"
done
[ "$(echo "$contents" | grep -vc '/$')" -eq 3 ] || fail "unexpected files: $(echo "$contents" | grep -v '/$')"

if [ "$(id -u)" -ne 0 ]; then
    echo "package test: built and checked $deb; installing it needs root, skipped"
    exit 0
fi
if dpkg-query -W -f='${Status}' dual-simplex 2>/dev/null | grep -q 'install ok installed'; then
    echo "package test: dual-simplex is installed on this machine already; left as it is"
    exit 0
fi

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
trap 'DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq dual-simplex >/dev/null 2>&1 || true' EXIT
desktop-file-validate /usr/share/applications/dual-simplex.desktop || fail "the menu entry does not validate"
QT_QPA_PLATFORM=offscreen /usr/bin/dual-simplex &
pid=$!
sleep 2
kill -0 "$pid" 2>/dev/null || fail "the installed program did not keep running"
kill "$pid"
wait "$pid" 2>/dev/null || true

DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq dual-simplex >/dev/null
trap - EXIT
[ ! -e /usr/bin/dual-simplex ] || fail "the program is still there after removal"
[ ! -e /usr/share/applications/dual-simplex.desktop ] || fail "the menu entry is still there after removal"
echo "package test: $deb built, installed, started and removed"

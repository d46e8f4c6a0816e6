#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package, holds it to Debian's own checks (lintian, the
# AppStream validator, the desktop-entry validator), checks its control data
# and contents, installs it, starts the installed program headless, and
# removes the package again. Installing needs root; a machine that already
# has the package keeps it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/setup.sh"
ensure_packages lintian appstream desktop-file-utils shared-mime-info

fail() { echo "package test: $*" >&2; exit 1; }

deb=$("$here/package.sh" | tail -n 1)
info=$(dpkg-deb --info "$deb")
contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}')
echo "$info" | grep -q '^ Package: dual-simplex$' || fail "wrong package name"
echo "$info" | grep -Eq '^ Depends: .*(libqt5widgets5|libqt6widgets6)' || fail "no dependency on Qt's widgets worked out"
echo "$info" | grep -Eq '^ Depends: .*(libqt5printsupport5|libqt6printsupport6)' || fail "no dependency on Qt Print Support worked out"
echo "$info" | grep -Eq '^ Depends: .*(qttranslations5-l10n|qt6-translations-l10n)' || fail "no dependency on Qt's translations"
files=(./usr/bin/dual-simplex
       ./usr/share/applications/dual-simplex.desktop
       ./usr/share/icons/hicolor/scalable/apps/dual-simplex.svg
       ./usr/share/metainfo/org.example.dual_simplex.metainfo.xml
       ./usr/share/mime/packages/dual-simplex.xml
       ./usr/share/man/man1/dual-simplex.1.gz
       ./usr/share/man/ru/man1/dual-simplex.1.gz
       ./usr/share/doc/dual-simplex/copyright
       ./usr/share/doc/dual-simplex/changelog.gz)
for path in "${files[@]}"; do
    echo "$contents" | grep -qx "$path" || fail "$path is not in the package"
done
[ "$(echo "$contents" | grep -vc '/$')" -eq ${#files[@]} ] || fail "unexpected files: $(echo "$contents" | grep -v '/$')"

# Debian's checks: any error or warning fails the test; pedantic remarks and
# informational tags are printed for the reader.
lintian --pedantic --info --fail-on error,warning "$deb" 2> >(grep -v 'root privileges' >&2) \
    || fail "lintian found errors or warnings"
appstreamcli validate --no-net --pedantic "$root/packaging/org.example.dual_simplex.metainfo.xml" \
    || fail "the AppStream metadata does not validate"
desktop-file-validate "$root/packaging/dual-simplex.desktop" || fail "the menu entry does not validate"
# The file type: valid shared-mime-info XML, and a .lp file is of that type.
mime=$(mktemp -d)
mkdir -p "$mime/packages"
cp "$root/packaging/dual-simplex-mime.xml" "$mime/packages/dual-simplex.xml"
update-mime-database "$mime" >/dev/null 2>&1 || fail "the file type does not validate"
grep -q 'text/x-lp' "$mime/globs2" || fail "the file type's pattern is not registered"
rm -rf "$mime"

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
for path in "${files[@]}"; do
    [ -f "${path#.}" ] || fail "${path#.} is not installed"
done
man -l /usr/share/man/man1/dual-simplex.1.gz 2>/dev/null | grep -q 'xvfb-run -a dual-simplex' \
    || fail "the manual page does not read"
man -l /usr/share/man/ru/man1/dual-simplex.1.gz 2>/dev/null | grep -q 'КОД ВОЗВРАТА' \
    || fail "the Russian manual page does not read"
appstreamcli validate --no-net /usr/share/metainfo/org.example.dual_simplex.metainfo.xml >/dev/null \
    || fail "the installed AppStream metadata does not validate"
QT_QPA_PLATFORM=offscreen /usr/bin/dual-simplex &
pid=$!
sleep 2
kill -0 "$pid" 2>/dev/null || fail "the installed program did not keep running"
kill "$pid"
wait "$pid" 2>/dev/null || true
/usr/bin/dual-simplex --report "$root/src/examples/01-worked-max.lp" | grep -q '^значение функции 2.8$' \
    || fail "the installed program does not print a report"

DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq dual-simplex >/dev/null
trap - EXIT
for path in "${files[@]}"; do
    [ ! -e "${path#.}" ] || fail "${path#.} is still there after removal"
done
echo "package test: $deb built, checked, installed, started and removed"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Windows download on this Debian machine: Debian's mingw-w64 cross
# compiler, the toolkit (qtbase) and GMP built from Debian's own source
# packages into a cache outside the repository (DUAL_SIMPLEX_WIN_CACHE,
# default ~/.cache/dual-simplex-windows), then the program by the project's
# own CMake, statically linked, into dual-simplex-VERSION-windows-x64.zip in
# build-windows/. The toolkit takes about an hour on two cores, once; a
# second run rebuilds only the program.
#
#   scripts/windows.sh            build the zip
#   scripts/windows.sh --check    compare the Windows program under Wine with
#                                 the Linux build, headless (scripts/windows-check.sh)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cache=${DUAL_SIMPLEX_WIN_CACHE:-$HOME/.cache/dual-simplex-windows}
triple=x86_64-w64-mingw32
out=$root/build-windows

if [ "${1:-}" = --check ]; then
    exec "$root/scripts/windows-check.sh"
fi

source "$root/scripts/setup.sh"
ensure_packages g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
    m4 dpkg-dev zip perl python3 qttranslations5-l10n fonts-dejavu-core

# The posix thread model: the toolkit's threads need std::thread and friends.
cross_gcc=$triple-gcc-posix
cross_gxx=$triple-g++-posix

# apt-get source needs a deb-src entry; add one for the configured mirror when
# there is none.
ensure_sources() {
    if apt-get source --print-uris -qq gmp >/dev/null 2>&1; then return 0; fi
    [ "$(id -u)" -eq 0 ] || { echo "Add a deb-src entry to apt's sources, then run again" >&2; exit 1; }
    local list=/etc/apt/sources.list.d/debian.sources
    local uri suites
    uri=$(awk '/^URIs:/{print $2; exit}' "$list" 2>/dev/null || true)
    suites=$(awk '/^Suites:/{$1=""; print; exit}' "$list" 2>/dev/null || true)
    [ -n "$uri" ] || uri=http://deb.debian.org/debian
    [ -n "$suites" ] || suites=$(. /etc/os-release && echo "$VERSION_CODENAME")
    cat > /etc/apt/sources.list.d/dual-simplex-src.sources <<EOF
Types: deb-src
URIs: $uri
Suites:$suites
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    apt-get update -qq
}

# fetch_source PACKAGE DIR: Debian's source with Debian's patches applied.
fetch_source() {
    local package=$1 dir=$2
    rm -rf "$dir" && mkdir -p "$dir"
    (cd "$dir" && apt-get source -qq "$package" >/dev/null)
}

build_gmp() {
    local prefix=$cache/gmp
    [ -f "$prefix/.done" ] && return 0
    echo "== GMP for Windows (a few minutes, once) =="
    fetch_source gmp "$cache/src/gmp"
    # Any x86-64 processor: no -march for the processor of this machine.
    local src gmp_flags="-O2 -fomit-frame-pointer -m64 -mtune=generic"
    src=$(find "$cache/src/gmp" -mindepth 1 -maxdepth 1 -type d | head -1)
    # Debian's tarball has no doc/: the build must not descend into it, and
    # configure still writes its (empty) Makefile.
    sed -i 's/^SUBDIRS = \(.*\) doc$/SUBDIRS = \1/' "$src/Makefile.in"
    mkdir -p "$src/doc" && touch "$src/doc/Makefile.in"
    (cd "$src" && nice -n 19 ./configure -q --host=$triple CC=$cross_gcc CXX=$cross_gxx \
        CFLAGS="$gmp_flags" CXXFLAGS="$gmp_flags" \
        --enable-cxx --disable-shared --enable-static --prefix="$prefix" \
        && nice -n 19 make -s -j "$(nproc)" && make -s install) >"$cache/gmp.log" 2>&1 \
        || { tail -40 "$cache/gmp.log" >&2; exit 1; }
    touch "$prefix/.done"
}

build_qt() {
    local prefix=$cache/qt5
    [ -f "$prefix/.done" ] && return 0
    echo "== The toolkit for Windows (about an hour on two cores, once; log: $cache/qt5.log) =="
    fetch_source qtbase-opensource-src "$cache/src/qtbase"
    local src build=$cache/qtbase-build
    src=$(find "$cache/src/qtbase" -mindepth 1 -maxdepth 1 -type d | head -1)
    rm -rf "$build" && mkdir -p "$build"
    # Debian's source lacks the tablet and SQLite third-party folders: those
    # features are off.
    (cd "$build" && nice -n 19 "$src/configure" -opensource -confirm-license \
        -xplatform win32-g++ -device-option CROSS_COMPILE=$triple- -platform linux-g++ \
        -prefix "$prefix" -release -static -static-runtime \
        -nomake examples -nomake tests -no-opengl -no-dbus -no-icu -no-openssl \
        -no-feature-sql -no-sql-sqlite -qt-zlib -qt-libpng -qt-freetype -qt-pcre -qt-harfbuzz \
        -no-libjpeg -no-direct2d -no-feature-tabletevent \
        && nice -n 19 make -j "$(nproc)" && make install) >"$cache/qt5.log" 2>&1 \
        || { tail -60 "$cache/qt5.log" >&2; exit 1; }
    touch "$prefix/.done"
}

build_program() {
    echo "== The program for Windows =="
    local build=$out/build
    cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/packaging/windows/mingw-w64.cmake" \
        -DDUAL_SIMPLEX_WIN_PREFIX="$cache" -DCMAKE_BUILD_TYPE=Release \
        -DDUAL_SIMPLEX_TESTS=OFF -DDUAL_SIMPLEX_BENCH=OFF >/dev/null
    nice -n 19 cmake --build "$build" -j "$(nproc)" --target dual-simplex
    $triple-strip -o "$out/dual-simplex.exe" "$build/src/dual-simplex.exe"
}

package_zip() {
    local version name dir
    version=$(sed -n 's/^project(dual-simplex VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
    name=dual-simplex-$version-windows-x64
    dir=$out/$name
    rm -rf "$dir" "$out/$name.zip" && mkdir -p "$dir/examples"
    cp "$out/dual-simplex.exe" "$dir/"
    cp "$root/README.md" "$root/docs/guide-ru.md" "$dir/"
    cp "$root/LICENSE" "$dir/LICENSE.txt"
    # The DejaVu fonts built into the program come with their licence.
    cp /usr/share/doc/fonts-dejavu-core/copyright "$dir/DejaVu-fonts-LICENSE.txt"
    cp "$root"/src/examples/*.lp "$dir/examples/"
    (cd "$out" && zip -q -r "$name.zip" "$name")
    echo "$out/$name.zip"
}

mkdir -p "$cache" "$out"
ensure_sources
build_gmp
build_qt
build_program
package_zip

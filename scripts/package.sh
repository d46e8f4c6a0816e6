#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package (installing what is missing) into build-package/
# and prints its path on the last line. The binary is built with Debian's
# hardening flags, as dpkg-buildflags gives them. DUAL_SIMPLEX_QT=6 in the
# environment builds it against Qt 6.
set -euo pipefail
source "$(dirname "$0")/setup.sh"
ensure_packages dpkg-dev file binutils

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flag() { dpkg-buildflags --get "$1"; }
build_into "$root/build-package" -DCMAKE_BUILD_TYPE=None -DDUAL_SIMPLEX_TESTS=OFF -DDUAL_SIMPLEX_BENCH=OFF \
    -DDUAL_SIMPLEX_QT="${DUAL_SIMPLEX_QT:-}" \
    -DCMAKE_CXX_FLAGS="$(flag CXXFLAGS) $(flag CPPFLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(flag LDFLAGS)"
(cd "$root/build-package" && rm -f ./*.deb && cpack >/dev/null)
ls "$root"/build-package/dual-simplex_*.deb

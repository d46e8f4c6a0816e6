#!/usr/bin/env bash
# Builds the Debian package (installing what is missing) into build-package/
# and prints its path on the last line.
set -euo pipefail
source "$(dirname "$0")/setup.sh"
build_into "$root/build-package" -DCMAKE_BUILD_TYPE=Release -DDUAL_SIMPLEX_TESTS=OFF -DDUAL_SIMPLEX_BENCH=OFF
(cd "$root/build-package" && rm -f ./*.deb && cpack >/dev/null)
ls "$root"/build-package/dual-simplex_*.deb

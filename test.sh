#!/usr/bin/env bash
# Builds the program and its tests (installing what is missing) and runs the
# whole test suite, headless.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
build_into "$root/build"
(cd "$root/build" && ctest --output-on-failure -j "$(nproc)")

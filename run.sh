#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the program (installing what is missing) and starts it.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
# The tests and the benchmark are left out here: they need packages the
# program does not (test.sh installs them and turns them on again).
build_into "$root/build" -DDUAL_SIMPLEX_TESTS=OFF -DDUAL_SIMPLEX_BENCH=OFF -- --target dual-simplex
exec "$root/build/src/dual-simplex" "$@"

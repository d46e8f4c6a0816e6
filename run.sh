#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the program (installing what is missing) and starts it.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
build_into "$root/build" -- --target dual-simplex
exec "$root/build/src/dual-simplex" "$@"

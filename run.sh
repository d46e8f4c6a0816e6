#!/usr/bin/env bash
# Builds the program (installing what is missing) and starts it.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
build_into "$root/build"
exec "$root/build/src/dual-simplex" "$@"

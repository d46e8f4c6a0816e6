#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the program's icon, packaging/dual-simplex.svg, to the PNG files
# that the windows show (src/icons/, built into the program).
set -euo pipefail
source "$(dirname "$0")/setup.sh"
ensure_packages librsvg2-bin
for size in 16 24 32 48 64; do
    rsvg-convert -w "$size" -h "$size" "$root/packaging/dual-simplex.svg" -o "$root/src/icons/dual-simplex-$size.png"
done

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Remakes the README's pictures: runs the program in a virtual X display with
# a window manager, plays a user on the keyboard alone with xdotool, and
# photographs the windows with ImageMagick.
set -euo pipefail
source "$(dirname "$0")/setup.sh"
ensure_packages xvfb openbox xdotool imagemagick x11-utils
build_into "$root/build" -DDUAL_SIMPLEX_TESTS=OFF -DDUAL_SIMPLEX_BENCH=OFF -- --target dual-simplex

out=$root/docs
mkdir -p "$out"
export DISPLAY=:93
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
program=
trap 'kill $program $wm $xvfb 2>/dev/null || true' EXIT
sleep 1
openbox >/dev/null 2>&1 &
wm=$!
sleep 1

start_program() {
    "$root/build/src/dual-simplex" &
    program=$!
    main=$(xdotool search --sync --name 'Двойственный симплекс-метод' | head -n 1)
    xdotool windowactivate --sync "$main"
    sleep 0.5
}

source "$root/scripts/keyboard.sh"

shoot() { sleep 0.7; import -window "$1" "$out/$2"; echo "wrote docs/$2"; }

start_program
shoot "$main" main-window.png

# A 4 x 8 problem typed as a student types it: a decimal comma, a fraction,
# and a typo, which the form shows in red with a tooltip.
form 4 8
type_fields 3 2 4 1
keys Tab
type_fields 1 1 2 1 10   2 0 1/2 3 "12,5"   1 3 0 2 15   -1 1 1 0 -1 \
            2 1 -1 1 8   0 2 1 1 9   1 -1 2 2 11   3 1 "1..5" -1 14
xdotool mousemove --window "$main" 260 343
sleep 1.5
at=$(xwininfo -id "$main" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF} END {print x "+" y}')
import -window root -crop "690x440+$at" "$out/input-form-4x8.png"
echo "wrote docs/input-form-4x8.png"

# The report of that problem at its opening size: as tall as the screen.
keys Return
report=$(xdotool search --sync --name '^Решение$' | head -n 1)
shoot "$report" report-4x8.png
keys Return
kill "$program"

# The worked example of the help: maximise x0 + x1, x0 + 2 x1 <= 4,
# 3 x0 + x1 <= 6, solved with Enter; the pivot elements are marked.
start_program
solve_worked_example
report=$(xdotool search --sync --name '^Решение$' | head -n 1)
shoot "$report" report-worked-example.png

# The same report in exact fractions and with its explanations, scrolled to
# its end; then the problem on the plane.
keys ctrl+d ctrl+e End
shoot "$report" report-explained.png
keys ctrl+g
plane=$(xdotool search --sync --name '^На плоскости$' | head -n 1)
shoot "$plane" plane-worked-example.png
kill "$program"

# The textbook integer example by branch and bound: maximise 28 x0 + 11 x1,
# 14 x0 + 6 x1 <= 25; "Ветви и границы" and fractions, scrolled to the tree;
# then the nodes on the plane.
start_program
form 2 1
type_fields 28 11
keys Tab
type_fields 14 6 25
keys Return
report=$(xdotool search --sync --name '^Решение$' | head -n 1)
keys ctrl+b ctrl+d End
shoot "$report" report-branches.png
keys ctrl+g
plane=$(xdotool search --sync --name '^На плоскости$' | head -n 1)
shoot "$plane" plane-branches.png

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Remakes the README's pictures: runs the program in a virtual X display,
# plays a user with xdotool and photographs the windows with ImageMagick.
# The click positions fit the fixed layout of the main window with the
# DejaVu fonts of a Debian machine.
set -euo pipefail
source "$(dirname "$0")/setup.sh"
ensure_packages xvfb xdotool imagemagick x11-utils
build_into "$root/build"

out=$root/docs
mkdir -p "$out"
export DISPLAY=:93
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
program=
trap 'kill $program $xvfb 2>/dev/null || true' EXIT
sleep 1

start_program() {
    "$root/build/src/dual-simplex" &
    program=$!
    main=$(xdotool search --sync --name 'Двойственный симплекс-метод' | head -n 1)
    sleep 0.5
}

# click X Y [times]
click() { xdotool mousemove --window "$main" "$1" "$2" click --repeat "${3:-1}" --delay 60 1; }

# type_problem X Y SENSE "OBJECTIVE" VALUES...: clicks the first objective
# field at X Y, then types into the fields in their tab order: objective,
# the max/min box, then each constraint row with its right-hand side.
type_problem() {
    click "$1" "$2"
    local sense=$3 objective=$4
    shift 4
    local v
    for v in $objective; do xdotool key ctrl+a type -- "$v"; xdotool key Tab; done
    [ "$sense" = min ] && xdotool key Down
    xdotool key Tab
    for v in "$@"; do xdotool key ctrl+a type -- "$v"; xdotool key Tab; done
}

shoot() { sleep 0.6; import -window "$1" "$out/$2"; echo "wrote docs/$2"; }

start_program
shoot "$main" main-window.png

# n from 2 to 4 and m from 1 to 8 with the spin-box arrows, then "ok".
click 108 190 2
click 220 190 7
click 273 196
type_problem 82 176 max "3 2 4 1" 1 1 2 1 10  2 0 1 3 12  1 3 0 2 15  -1 1 1 0 -1 \
    2 1 -1 1 8  0 2 1 1 9  1 -1 2 2 11  3 1 1 -1 14
shoot "$main" input-form-4x8.png

click 395 368
report=$(xdotool search --sync --name '^Решение$' | head -n 1)
xdotool windowsize "$report" 640 1000
shoot "$report" report-4x8.png
kill "$program"

# The worked example of the help: maximise x0 + x1, x0 + 2 x1 <= 4, 3 x0 + x1 <= 6.
start_program
click 220 190
click 273 196
type_problem 130 275 max "1 1" 1 2 4  3 1 6
click 395 368
report=$(xdotool search --sync --name '^Решение$' | head -n 1)
xdotool windowsize "$report" 720 1010
shoot "$report" report-worked-example.png

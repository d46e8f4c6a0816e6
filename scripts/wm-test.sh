#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What only a real window system shows: runs the built program in a virtual X
# display under a window manager (Xvfb and openbox), plays a student on the
# keyboard with xdotool, and checks with xprop and xwininfo that the report
# window opens with its whole frame on the screen, that it is transient for
# the main window and stays above it when the main window is clicked, and
# that Esc closes it; and, at 192 dpi, the same of the plane view and the
# report. Once at 96 dpi on a small screen with a report taller than the
# screen, once at 192 dpi with the worked example. Every process it
# starts ends with it; every wait has a limit, so that it fails with a
# message rather than hanging.
set -euo pipefail
source "$(dirname "$0")/setup.sh"
ensure_packages xvfb openbox x11-utils xdotool
program=${1:-$root/build/src/dual-simplex}
export QT_QPA_PLATFORM=xcb # the real window system, whatever the caller runs headless
[ -x "$program" ] || { echo "wm test: $program is not built" >&2; exit 1; }

# Generous: a busy machine must never fail the test by the clock.
patience=120
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    pids=()
}
trap cleanup EXIT
fail() {
    echo "wm test: $*" >&2
    exit 1
}

# start_display WIDTHxHEIGHT DPI: Xvfb on a free display, then openbox.
start_display() {
    local numbers
    numbers=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "$1x24" -dpi "$2" -nolisten tcp -noreset 3>"$numbers" >/dev/null 2>&1 &
    pids+=($!)
    local waited=0
    until [ -s "$numbers" ]; do
        sleep 0.2
        waited=$((waited + 1))
        [ $waited -lt $((patience * 5)) ] || fail "Xvfb did not start"
    done
    export DISPLAY=:$(head -n 1 "$numbers")
    rm -f "$numbers"
    openbox >/dev/null 2>&1 &
    pids+=($!)
    waited=0
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
        sleep 0.2
        waited=$((waited + 1))
        [ $waited -lt $((patience * 5)) ] || fail "openbox did not start on $DISPLAY"
    done
}

# window NAME: the id of the window with that exact title, waiting for it.
window() {
    timeout "$patience" xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1 \
        || fail "no window \"$1\" appeared"
}

source "$root/scripts/keyboard.sh"

start_program() {
    "$program" >/dev/null 2>&1 &
    pids+=($!)
    main=$(window 'Двойственный симплекс-метод')
    xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
}

# frame_inside ID: whether the window's frame lies within the screen.
frame_inside() {
    local info extents x y w h
    info=$(xwininfo -id "$1")
    x=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$info")
    y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$info")
    w=$(awk '/^ *Width:/ {print $NF}' <<<"$info")
    h=$(awk '/^ *Height:/ {print $NF}' <<<"$info")
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ' ')
    [ -n "$extents" ] || return 1
    IFS=, read -r left right top bottom <<<"$extents"
    geometry="frame from ($((x - left)), $((y - top))) to ($((x + w + right)), $((y + h + bottom))) on a ${screen_w}x${screen_h} screen"
    [ $((x - left)) -ge 0 ] && [ $((y - top)) -ge 0 ] \
        && [ $((x + w + right)) -le "$screen_w" ] && [ $((y + h + bottom)) -le "$screen_h" ]
}

# whole_and_transient NAME ID OWNER: the window is whole on the screen and
# WM_TRANSIENT_FOR names its owner.
whole_and_transient() {
    local waited=0 transient
    read -r screen_w screen_h < <(xwininfo -root | awk '/Width:/ {w = $NF} /Height:/ {h = $NF} END {print w, h}')
    until frame_inside "$2"; do
        sleep 0.2
        waited=$((waited + 1))
        [ $waited -lt $((patience * 5)) ] || fail "the frame of \"$1\" is not on the screen: $geometry"
    done
    echo "wm test: \"$1\" $geometry"
    transient=$(xprop -id "$2" WM_TRANSIENT_FOR | sed -n 's/.*window id # //p')
    [ -n "$transient" ] && [ $((transient)) -eq $(($3)) ] \
        || fail "\"$1\" is not transient for its owner (WM_TRANSIENT_FOR: ${transient:-none})"
}

# gone NAME: waits until no window with that title is shown.
gone() {
    local waited=0
    while xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; do
        sleep 0.2
        waited=$((waited + 1))
        [ $waited -lt $((patience * 5)) ] || fail "\"$1\" did not close"
    done
}

# check_plane: the plane view of the report opens whole on the screen,
# transient for the report, and Esc closes it.
check_plane() {
    local report plane
    report=$(window 'Решение')
    keys ctrl+g
    plane=$(window 'На плоскости')
    whole_and_transient 'На плоскости' "$plane" "$report"
    keys Escape
    gone 'На плоскости'
}

# check_report: the report window is whole on the screen, transient for the
# main window, above it after a click on the main window, and Esc closes it.
check_report() {
    local report
    report=$(window 'Решение')
    whole_and_transient 'Решение' "$report" "$main"

    # A click on the main window leaves the report above it.
    xdotool mousemove --window "$main" 20 20 click 1
    sleep 0.5
    local stacking
    stacking=$(xprop -root _NET_CLIENT_LIST_STACKING | sed -n 's/.*# //p' | tr -d ' ' | tr ',' '\n')
    local below above
    below=$(grep -nxi "$(printf '0x%x' "$main")" <<<"$stacking" | cut -d: -f1)
    above=$(grep -nxi "$(printf '0x%x' "$report")" <<<"$stacking" | cut -d: -f1)
    [ -n "$below" ] && [ -n "$above" ] && [ "$above" -gt "$below" ] \
        || fail "after a click on the main window the report is not above it (stacking: $(tr '\n' ' ' <<<"$stacking"))"

    xdotool windowactivate --sync "$report" >/dev/null 2>&1 || true
    keys Escape
    gone 'Решение'
}

echo "== 96 dpi, 1024 x 768: a 4 x 8 report taller than the screen =="
start_display 1024x768 96
start_program
form 4 8
# Every coefficient -10000 and 9999.5 in turn, every right-hand side -10000.
values=(-10000 9999.5)
k=0
for j in 1 2 3 4; do type_fields "${values[$((k++ % 2))]}"; done
keys Tab
for i in 1 2 3 4 5 6 7 8; do
    for j in 1 2 3 4; do type_fields "${values[$((k++ % 2))]}"; done
    type_fields -10000
done
keys Return
check_report
cleanup

echo "== 192 dpi: the worked example =="
start_display 1280x1024 192
start_program
solve_worked_example
check_plane
check_report
cleanup
echo "wm test: passed"

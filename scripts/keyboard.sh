#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A student on the keyboard, played with xdotool in the X display $DISPLAY.
# Sourced by the scripts that drive the real program.

# keys KEY... : presses the keys in turn.
keys() { xdotool key --delay 30 "$@"; }

# type_fields TEXT... : each text into the focused field, then Tab.
type_fields() {
    local v
    for v in "$@"; do
        xdotool type --delay 10 -- "$v"
        keys Tab
    done
}

# form N M: sets n and m with the spin boxes' arrow keys; Enter in the second
# spin box presses "ok". The program has just started, the focus in n.
form() {
    local k
    for ((k = 2; k < $1; k++)); do keys Up; done
    keys Tab
    for ((k = 1; k < $2; k++)); do keys Up; done
    keys Return
    sleep 0.3
}

# solve_worked_example: maximise x0 + x1 subject to x0 + 2·x1 <= 4 and
# 3·x0 + x1 <= 6, typed in and solved with Enter.
solve_worked_example() {
    form 2 2
    type_fields 1 1
    keys Tab
    type_fields 1 2 4 3 1 6
    keys Return
}

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Counts the instructions of one solve with callgrind, which counts the same
# whatever else the machine is doing: from the click on "Вывести решение"
# until the report is painted, after a warm-up solve, as the mean of N solves.
# With an action's name, counts switching that action on and off instead
# (each until the page is painted), as the mean of N times.
#   bench/count-instructions.sh [K [N [ACTION]]]   K: 0 2x2, 1 4x8 optimum, 2 4x8 cycling (default)
#   bench/count-instructions.sh 2 3 actionFractions
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
problem=${1:-2}
solves=${2:-3}
action=${3:-}
out=$(mktemp)
trap 'rm -f "$out"' EXIT
if [ -n "$action" ]; then
    valgrind --tool=callgrind --callgrind-out-file="$out" --collect-atstart=no \
        --toggle-collect='*countedToggle*' "$root/build/bench/bench_report" toggle "$problem" "$solves" "$action" 2>/dev/null
else
    valgrind --tool=callgrind --callgrind-out-file="$out" --collect-atstart=no \
        --toggle-collect='*countedSolve*' "$root/build/bench/bench_report" count "$problem" "$solves" 2>/dev/null
fi
total=$(sed -n 's/^summary: *//p' "$out")
if [ -n "$action" ]; then
    echo "$((total / (solves + 1))) instructions per $action on and off (problem $problem, mean of $((solves + 1)))"
else
    echo "$((total / solves)) instructions per solve (problem $problem, mean of $solves)"
fi

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Counts the instructions of one solve with callgrind, which counts the same
# whatever else the machine is doing: from the click on "Вывести решение"
# until the report is painted, after a warm-up solve, as the mean of N solves.
#   bench/count-instructions.sh [K [N]]   K: 0 2x2, 1 4x8 optimum, 2 4x8 cycling (default)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
problem=${1:-2}
solves=${2:-3}
out=$(mktemp)
trap 'rm -f "$out"' EXIT
valgrind --tool=callgrind --callgrind-out-file="$out" --collect-atstart=no \
    --toggle-collect='*countedSolve*' "$root/build/bench/bench_report" count "$problem" "$solves" 2>/dev/null
total=$(sed -n 's/^summary: *//p' "$out")
echo "$((total / solves)) instructions per solve (problem $problem, mean of $solves)"

#!/usr/bin/env bash
# Builds the program and its tests (installing what is missing) and runs the
# whole test suite headless: first the ordinary build, then the same suite
# built with AddressSanitizer and UndefinedBehaviorSanitizer, LeakSanitizer on.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen

build_into "$root/build"
(cd "$root/build" && ctest --output-on-failure -j "$(nproc)")

echo "== The same suite under AddressSanitizer and UndefinedBehaviorSanitizer =="
build_into "$root/build-sanitize" -DDUAL_SIMPLEX_SANITIZE=ON -DDUAL_SIMPLEX_BENCH=OFF
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1
export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd "$root/build-sanitize" && ctest --output-on-failure -j "$(nproc)")

echo "== The Debian package =="
"$root/scripts/package-test.sh"

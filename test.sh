#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the program and its tests (installing what is missing) and runs the
# whole test suite headless: the ordinary build against Qt 5; the real
# windows under a window manager in a virtual display; the same suite built
# with AddressSanitizer and UndefinedBehaviorSanitizer, LeakSanitizer on; the
# ordinary suite against Qt 6; then the Debian package.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
ensure_packages libglpk-dev qt6-base-dev qt6-base-dev-tools qt6-translations-l10n \
    poppler-utils texlive-latex-base texlive-latex-recommended texlive-lang-cyrillic cm-super
export QT_QPA_PLATFORM=offscreen

echo "== The test suite, Qt 5 =="
build_into "$root/build" -DDUAL_SIMPLEX_TESTS=ON -DDUAL_SIMPLEX_BENCH=ON
(cd "$root/build" && ctest --output-on-failure -j "$(nproc)")

echo "== The real windows under a window manager (Xvfb, openbox) =="
"$root/scripts/wm-test.sh" "$root/build/src/dual-simplex"

echo "== The same suite under AddressSanitizer and UndefinedBehaviorSanitizer =="
build_into "$root/build-sanitize" -DDUAL_SIMPLEX_SANITIZE=ON -DDUAL_SIMPLEX_BENCH=OFF
(
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1
    export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    cd "$root/build-sanitize" && ctest --output-on-failure -j "$(nproc)"
)

echo "== The test suite, Qt 6 =="
build_into "$root/build-qt6" -DDUAL_SIMPLEX_QT=6 -DDUAL_SIMPLEX_BENCH=OFF
(cd "$root/build-qt6" && ctest --output-on-failure -j "$(nproc)")

echo "== The Debian package =="
"$root/scripts/package-test.sh"

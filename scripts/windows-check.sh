#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Windows download under Wine against the Linux build of the same
# sources, headless: it starts Xvfb and openbox itself and ends what it
# started. Every --report of the gallery and of generated problems in every
# view, every --output format and --variants must give what Linux gives
# (line ends aside; the PDFs by their text, the HTML without its picture);
# then the window is started with a problem file, "Вывести решение" pressed,
# and a screenshot of the report kept beside the zip
# (build-windows/wine-report.png). Called as scripts/windows.sh --check.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cache=${DUAL_SIMPLEX_WIN_CACHE:-$HOME/.cache/dual-simplex-windows}
out=$root/build-windows
exe=$out/dual-simplex.exe
source "$root/scripts/setup.sh"
ensure_packages wine wine64 xvfb xauth openbox xdotool imagemagick poppler-utils x11-utils
[ -f "$exe" ] || { echo "No $exe: run scripts/windows.sh first" >&2; exit 1; }

echo "== The Linux build to compare with =="
build_into "$out/linux" -DDUAL_SIMPLEX_TESTS=OFF -DDUAL_SIMPLEX_BENCH=OFF -- --target dual-simplex
linux=$out/linux/src/dual-simplex

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    WINEPREFIX=$WINEPREFIX wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

export WINEPREFIX=$cache/wine
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.2; done
openbox >/dev/null 2>&1 &
pids+=($!)
if [ ! -d "$WINEPREFIX" ]; then
    echo "== A Wine prefix (once) =="
    wineboot -i >/dev/null 2>&1 || true
fi
# Debian installs the 64-bit loader outside the PATH (wine itself wants wine32 too).
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)

failures=0
fail() { echo "DIFFERS: $*" >&2; failures=$((failures + 1)); }
# The Windows program with a Linux path made a Windows one.
winpath() { winepath -w "$1" 2>/dev/null; }
on_windows() { "$wine" "$exe" "$@"; }
# The first window whose title matches, waited for up to `tries` times 0.3 s.
window_named() {
    local pattern=$1 tries=$2 found
    for _ in $(seq "$tries"); do
        found=$(xdotool search --name "$pattern" 2>/dev/null | head -n 1) && [ -n "$found" ] && break
        sleep 0.3
    done
    echo "$found"
}

echo "== --report: the gallery and generated problems, every view =="
problems=("$root"/src/examples/*.lp)
"$linux" --variants 6 --seed 11 --size 3x4 --kind mixed --output "$work/generated" >/dev/null
"$linux" --variants 3 --seed 5 --size 2x3 --kind integer --output "$work/integer" >/dev/null
problems+=("$work"/generated/*.lp "$work"/integer/*.lp)
reports=0
for problem in "${problems[@]}"; do
    for views in "" "--fractions" "--explain" "--ranging" "--integer" "--branch" "--html" "--fractions --explain --ranging --integer" \
                 "--fractions --explain --dual --branch"; do
        # shellcheck disable=SC2086
        "$linux" --report $views "$problem" >"$work/linux.txt" 2>&1 || true
        # shellcheck disable=SC2086
        on_windows --report $views "$(winpath "$problem")" 2>&1 | tr -d '\r' >"$work/windows.txt" || true
        cmp -s "$work/linux.txt" "$work/windows.txt" || fail "--report $views $(basename "$problem")"
        reports=$((reports + 1))
    done
done
echo "$reports reports compared"

echo "== --output: text, HTML, LaTeX, PDF =="
example=$root/src/examples/01-worked-max.lp
for format in txt html tex pdf; do
    "$linux" --report --fractions --explain --output "$work/linux.$format" "$example"
    on_windows --report --fractions --explain --output "$(winpath "$work/windows.$format")" "$(winpath "$example")"
    case $format in
    pdf)
        pdftotext "$work/linux.pdf" "$work/linux.pdf.txt"
        pdftotext "$work/windows.pdf" "$work/windows.pdf.txt"
        cmp -s "$work/linux.pdf.txt" "$work/windows.pdf.txt" || fail "the PDF's text"
        [ "$(wc -w <"$work/windows.pdf.txt")" -gt 50 ] || fail "the PDF holds no text" ;;
    html)
        sed 's/base64,[A-Za-z0-9+\/=]*/base64,/' "$work/linux.html" >"$work/linux.html.txt"
        sed 's/base64,[A-Za-z0-9+\/=]*/base64,/' "$work/windows.html" | tr -d '\r' >"$work/windows.html.txt"
        cmp -s "$work/linux.html.txt" "$work/windows.html.txt" || fail "the HTML file" ;;
    *)
        tr -d '\r' <"$work/windows.$format" | cmp -s "$work/linux.$format" - || fail "the .$format file" ;;
    esac
done

echo "== A file named in Cyrillic with blanks, and CRLF line ends =="
cyrillic="$work/задача с пробелом.lp"
sed 's/$/\r/' "$example" >"$cyrillic"
"$linux" --report "$example" >"$work/linux.txt"
on_windows --report "$(winpath "$cyrillic")" | tr -d '\r' >"$work/windows.txt"
cmp -s "$work/linux.txt" "$work/windows.txt" || fail "a Cyrillic file name with CRLF line ends"

echo "== --variants 5 =="
"$linux" --variants 5 --seed 3 --size 3x4 --output "$work/vl" >/dev/null
on_windows --variants 5 --seed 3 --size 3x4 --output "$(winpath "$work/vw")" >/dev/null
for file in "$work"/vl/*; do
    name=$(basename "$file")
    case $name in
    *.pdf) cmp -s <(pdftotext "$file" -) <(pdftotext "$work/vw/$name" -) || fail "variants: $name's text" ;;
    *) tr -d '\r' <"$work/vw/$name" | cmp -s "$file" - || fail "variants: $name" ;;
    esac
done

echo "== --help and --version in UTF-8 =="
on_windows --help | grep -q 'Двойственный симплекс-метод' || fail "--help"
on_windows --version | grep -q 'dual-simplex' || fail "--version"

echo "== The window: a problem opened, \"Вывести решение\" pressed =="
on_windows "$(winpath "$example")" >/dev/null 2>&1 &
pids+=($!)
window=$(window_named 'Двойственный симплекс-метод' 100)
[ -n "$window" ] || fail "the main window did not appear"
if [ -n "$window" ]; then
    sleep 2
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    # The focus is in the objective's first field: Enter there solves.
    xdotool key --window "$window" Return
    report=$(window_named '^Решение$' 50)
    [ -n "$report" ] || fail "the report window did not appear"
    sleep 2
    import -window root "$out/wine-report.png"
    echo "screenshot: $out/wine-report.png"
fi

if [ "$failures" -gt 0 ]; then
    echo "$failures differences between the Windows and the Linux program" >&2
    exit 1
fi
echo "The Windows program under Wine gives what the Linux program gives."

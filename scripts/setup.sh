#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what the program needs to build (with apt-get when run as root;
# otherwise it names the missing packages), and offers build_into, which
# configures and builds into a directory. Sourced by run.sh, test.sh and the
# scripts; they ensure the further packages they need themselves.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
program_packages=(cmake make g++ qtbase5-dev qtbase5-dev-tools qttranslations5-l10n libgmp-dev fonts-dejavu-core)

ensure_packages() {
    command -v dpkg-query >/dev/null 2>&1 || return 0
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    else
        echo "Missing packages: ${missing[*]}" >&2
        echo "Install them with: sudo apt-get install ${missing[*]}" >&2
        exit 1
    fi
}

# build_into DIR [cmake arguments...] [-- build arguments...]
build_into() {
    local dir=$1
    shift
    local configure=() build=()
    while [ $# -gt 0 ] && [ "$1" != -- ]; do configure+=("$1"); shift; done
    [ $# -gt 0 ] && shift && build=("$@")
    cmake -S "$root" -B "$dir" "${configure[@]}" >/dev/null
    cmake --build "$dir" -j "$(nproc)" "${build[@]}"
}

ensure_packages "${program_packages[@]}"

#!/usr/bin/env bash
# Installs what the build needs (with apt-get when run as root; otherwise it
# names the missing packages), then configures and builds into build/.
# Sourced by run.sh and test.sh; extra CMake arguments may follow.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
packages=(cmake make g++ qtbase5-dev qtbase5-dev-tools libglpk-dev fonts-dejavu-core dpkg-dev file desktop-file-utils)

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

# build_into DIR [cmake arguments...]
build_into() {
    local dir=$1
    shift
    cmake -S "$root" -B "$dir" "$@" >/dev/null
    cmake --build "$dir" -j "$(nproc)"
}

ensure_packages "${packages[@]}"

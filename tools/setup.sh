#!/usr/bin/env bash
# Installs the Debian packages the build needs when any is missing, then configures and builds.
# Sourced by ./run and ./test; BUILD_DIR and CMAKE_ARGS may be set by the caller.
set -euo pipefail

VILDO_PACKAGES=(build-essential cmake pkg-config libgtest-dev libgmock-dev libbenchmark-dev
                libcpp-httplib-dev libsqlite3-dev libtbb-dev
                qt6-base-dev qt6-charts-dev qt6-svg-dev qt6-translations-l10n libgl1-mesa-dev xvfb xauth dpkg-dev
                file)

vildo_install_packages() {
    local missing=()
    for p in "${VILDO_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installerar saknade paket: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

vildo_build() {
    local dir="$1"; shift
    cmake -S "$VILDO_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build "$dir" -j2
}

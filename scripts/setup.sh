#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need,
# but only those that are missing, so repeated runs cost nothing.
set -euo pipefail

PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-webengine-dev libxml2-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth fonts-wqy-microhei
)

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    echo "Installing missing packages: ${missing[*]}"
    SUDO=""
    if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
    $SUDO apt-get update -q
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

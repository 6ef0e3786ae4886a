#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need, when missing.
# Usage: scripts/install-deps.sh [run|test]   (run: enough to build and start the program)
set -euo pipefail

run_packages=(
    cmake g++ make pkg-config
    qt6-base-dev libgl-dev libcli11-dev nlohmann-json3-dev ca-certificates
    fonts-ipafont-gothic
    libminizip-dev zlib1g-dev xz-utils
)
test_packages=(
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth xdotool xclip imagemagick locales
    clang libclang-rt-14-dev
    g++-mingw-w64-x86-64-posix googletest wine64 libz-mingw-w64-dev nsis
    fp-utils desktop-file-utils appstream dpkg-dev file python3
)

packages=("${run_packages[@]}")
[ "${1:-run}" = test ] && packages+=("${test_packages[@]}")

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]}" >&2
    echo "Run this script as root (or install them with sudo apt-get install)." >&2
    exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

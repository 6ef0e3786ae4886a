#!/usr/bin/env bash
# Builds the packages into dist/: the Debian package mervasto_<version>_amd64.deb (a Release
# build in build-package/, packed by CPack), then the Windows packages through
# scripts/package-windows.sh when the Windows toolchains are there (../shared/toolchains).
# Usage: bash scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."

readonly build=build-package
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

echo "-- Debian package"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DMERVASTO_BUILD_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"
rm -rf "$build/cpack"
(cd "$build" && cpack -G DEB -B "$PWD/cpack" >/dev/null)
mkdir -p dist
for deb in "$build"/cpack/*.deb; do
    mv "$deb" dist/
    echo "dist/${deb##*/}"
done

if [ ! -f scripts/package-windows.sh ]; then
    echo "-- Windows packages: skipped (no scripts/package-windows.sh)"
elif [ ! -d ../shared/toolchains ]; then
    echo "-- Windows packages: skipped (no ../shared/toolchains)"
else
    echo "-- Windows packages"
    bash scripts/package-windows.sh
fi

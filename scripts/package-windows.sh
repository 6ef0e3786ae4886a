#!/usr/bin/env bash
# Makes the Windows packages in dist/: Mervasto-<version>-win64.zip (portable: the tables live
# beside the programs) and Mervasto-<version>-win64-setup.exe (NSIS installer: Start-menu
# entry, uninstaller, Japanese first; tables per user). Cross-built in build-windows/ against
# the Qt for MinGW of ../shared/toolchains; without it, one "skipped" line and success.
#
# Both carry the help file (compiled from docs/manual when packaging/make-chm.sh and chmcmd are
# there) and the operator's postal data (data/ken_all.zip, data/jigyosyo.zip) beside the
# programs, from which the programs build their tables on their first start.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/windows-qt.sh

readonly build=build-windows
readonly extras=$build/package-extras

if ! unpack_windows_qt "$build"; then
    echo "skipped: no Qt for MinGW (Windows packages)"
    exit 0
fi

log=$(mktemp)
trap 'rm -f "$log"' EXIT
run_quietly() { # the command's output only when it fails
    if ! "$@" >"$log" 2>&1; then
        cat "$log"
        echo "package-windows.sh: failed: $*" >&2
        exit 1
    fi
}

echo "-- Windows programs (preset windows-cross-qt)"
run_quietly cmake --preset windows-cross-qt
run_quietly cmake --build "$build" -j"${MERVASTO_JOBS:-$(nproc)}" --target mervasto mervasto-cli

rm -rf "$extras"
mkdir -p "$extras"
if [ -x packaging/make-chm.sh ] && command -v chmcmd >/dev/null; then
    run_quietly packaging/make-chm.sh docs/manual "$extras/ZipCode.chm"
else
    echo "-- no help file: needs packaging/make-chm.sh and chmcmd (package fp-utils)"
fi
cp data/ken_all.zip data/jigyosyo.zip "$extras/"

echo "-- zip and installer (CPack)"
rm -rf "$build/packages"
run_quietly cpack --config "$build/CPackWindowsConfig.cmake"
mkdir -p dist
for package in "$build"/packages/Mervasto-*-win64.zip "$build"/packages/Mervasto-*-win64-setup.exe; do
    cp "$package" dist/
    echo "   dist/${package##*/}: $(($(stat -c %s "$package") / 1024)) KiB"
done

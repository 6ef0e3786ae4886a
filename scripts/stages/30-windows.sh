#!/usr/bin/env bash
# The Windows build, checked on Linux. Cross-built with MinGW-w64 in build-windows/: the core,
# mervasto-cli and their tests, and, with the Qt for MinGW of ../shared/toolchains, the window
# and its tests (preset windows-cross-qt). Under Wine, in a Japanese locale:
#   - every test program (the widget tests offscreen);
#   - the Windows and the Linux mervasto-cli build the tables from samples/ (the files must be
#     identical byte for byte) and answer the same searches with the same bytes;
#   - with Qt: the zip and the installer (scripts/package-windows.sh) are unpacked, installed,
#     used and removed, and the real window runs on Xvfb (scripts/lib/windows-window-checks.sh).
#
# Each check is counted through record_result. The exit status is non-zero only when the
# stage could not get as far as its checks (the cross-build, Wine or the Linux tool to compare
# with failed), which scripts/test.sh then counts as one failure.
# shellcheck disable=SC2317 # the checks are functions run through check()
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
source scripts/lib/ctest-summary.sh
source scripts/lib/windows-qt.sh

readonly build=build-windows
readonly wine_loader=/usr/lib/wine/wine64 wineserver=/usr/lib/wine/wineserver
readonly windows_cli=$build/src/cli/mervasto-cli.exe
readonly work=$build/e2e
stage_start=$SECONDS
phase_start=$SECONDS

phase_done() {
    echo "   $1: $((SECONDS - phase_start)) s"
    phase_start=$SECONDS
}

# --- Cross-build -----------------------------------------------------------------------------
preset=$(windows_preset "$build")
if [ "$preset" = windows-cross ]; then
    echo "skipped: no Qt for MinGW (the window, its tests and the packages)"
fi
with_qt() { [ "$preset" = windows-cross-qt ]; }
echo "-- cross-build for Windows x64 (MinGW-w64, preset $preset)"
build_log=$(mktemp)
trap 'rm -f "$build_log"' EXIT
if ! { cmake --preset "$preset" && cmake --build --preset "$preset" -j"$(nproc)"; } \
    >"$build_log" 2>&1; then
    cat "$build_log"
    echo "FAIL Windows cross-build"
    exit 1
fi
grep -E 'warning:|error:' "$build_log" || true
phase_done "build"

# --- Wine ------------------------------------------------------------------------------------
# A prefix of this build directory; no Mono or Gecko set-up; no debug chatter.
export WINEPREFIX=$PWD/$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine takes the Windows locale from the Unix one. A Japanese one (ANSI code page 932, as on
# the program's home systems) is compiled into the build directory when the locale sources
# are installed; otherwise Wine runs with code page 1252, which the program must survive too.
locale_dir=$PWD/$build/locale
mkdir -p "$locale_dir"
[ -d "$locale_dir/ja_JP.UTF-8" ] ||
    localedef -i ja_JP -f UTF-8 "$locale_dir/ja_JP.UTF-8" >/dev/null 2>&1
if [ -d "$locale_dir/ja_JP.UTF-8" ]; then
    wine_locale=(LOCPATH="$locale_dir" LC_ALL=ja_JP.UTF-8)
    echo "-- Wine with a Japanese locale (code page 932)"
else
    wine_locale=(LC_ALL=C.UTF-8)
    echo "-- no ja_JP locale sources (package locales): Wine with code page 1252"
fi
# Wine's 64-bit loader in that locale; a program that hangs must not hold up the whole run.
wine() { timeout --foreground 120 env "${wine_locale[@]}" "$wine_loader" "$@"; }

# One Wine server for the whole stage, so that each Windows program starts quickly.
# Debian's wine64 puts no command on PATH: the server by its full path, its output elsewhere
# (a process that keeps the stage's output open would hold up whoever reads it).
"$wineserver" -p >/dev/null 2>&1 </dev/null
trap '"$wineserver" -k 2>/dev/null; rm -f "$build_log"' EXIT
if ! wine wineboot --init >/dev/null 2>&1 </dev/null; then
    echo "FAIL Wine does not start (prefix $WINEPREFIX)"
    exit 1
fi
phase_done "Wine start"

# --- Windows tests under Wine ----------------------------------------------------------------
echo "-- tests under Wine"
ctest() { env "${wine_locale[@]}" ctest "$@"; } # run_ctest calls ctest by name
run_ctest "$build" --timeout 300
unset -f ctest
phase_done "tests"

# --- End to end: Windows and Linux mervasto-cli ----------------------------------------------
native_cli=build/src/cli/mervasto-cli
if [ ! -x "$native_cli" ]; then
    echo "-- Linux mervasto-cli for the comparison (build-win-native)"
    native_cli="build-win-native/src/cli/mervasto-cli"
    if ! { cmake -S . -B build-win-native -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DMERVASTO_BUILD_GUI=OFF -DMERVASTO_BUILD_TESTS=OFF &&
        cmake --build build-win-native -j"$(nproc)" --target mervasto-cli; } >"$build_log" 2>&1; then
        cat "$build_log"
        echo "FAIL Linux mervasto-cli for the comparison"
        exit 1
    fi
fi

# The table directories have a Japanese name: paths must pass through unconverted.
linux_dir=$work/linux/郵便番号
windows_dir=$work/windows/郵便番号
rm -rf "$work"
mkdir -p "$linux_dir" "$windows_dir"

windows_path() { # the Windows name of a Unix path (Wine's drive Z: is /)
    local path
    path=$(realpath -m "$1")
    printf 'Z:%s' "${path//\//\\}"
}

# mervasto-cli.exe loads the MinGW runtime and, for its update command, Qt's DLLs: Wine finds
# them on WINEPATH, wherever the program is copied (Wine maps / to drive Z:).
windows_dll_path() {
    local dll
    for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
        echo "Z:$(dirname "$(realpath "$(x86_64-w64-mingw32-g++-posix -print-file-name=$dll)")")"
    done
    with_qt && echo "Z:$PWD/$build/qt6-mingw/bin"
}
WINEPATH=$(windows_dll_path | sort -u | paste -sd ';')
export WINEPATH
run_windows() { wine "$windows_cli" "$@" </dev/null; }

same_tables() { # the two directories hold the same file names with the same bytes
    local file ok=0
    if ! diff <(ls "$linux_dir") <(ls "$windows_dir"); then
        return 1
    fi
    for file in "$linux_dir"/*; do
        if cmp "$file" "$windows_dir/${file##*/}"; then
            echo "   $(basename "$file"): $(stat -c %s "$file") bytes, identical"
        else
            ok=1
        fi
    done
    return "$ok"
}

build_both() { # build_both national|offices CSV
    "$native_cli" --data-dir "$linux_dir" build "$1" --yes "$2" &&
        run_windows --data-dir "$(windows_path "$windows_dir")" build "$1" --yes \
            "$(windows_path "$2")" &&
        same_tables
}

echo "-- tables built by the Linux and the Windows mervasto-cli"
check "build national: Windows tables identical to Linux" build_both national samples/KEN_ALL.CSV
check "build offices: Windows tables identical to Linux" build_both offices samples/JIGYOSYO.CSV
check "build national again, replacing the tables: identical" build_both national samples/KEN_ALL.CSV

# Without --yes and without a terminal, a build over existing tables asks nothing, changes
# nothing and says why on stderr.
build_refused() {
    local linux_status windows_status
    "$native_cli" --data-dir "$linux_dir" build offices samples/JIGYOSYO.CSV \
        2>"$work/linux.err" </dev/null
    linux_status=$?
    run_windows --data-dir "$(windows_path "$windows_dir")" build offices \
        "$(windows_path samples/JIGYOSYO.CSV)" 2>"$work/windows.err"
    windows_status=$?
    echo "   exit $linux_status / $windows_status: $(cat "$work/linux.err")"
    [ "$linux_status" = 1 ] && [ "$windows_status" = 1 ] &&
        cmp "$work/linux.err" "$work/windows.err" && same_tables
}
check "build offices over existing tables without --yes: refused alike" build_refused

same_output() { # same_output LINUX-DIR WINDOWS-DIR ARGUMENTS...: same bytes, same exit status
    local linux_out=$work/linux.out windows_out=$work/windows.out linux_status windows_status
    local linux_data=$1 windows_data=$2
    shift 2
    "$native_cli" --data-dir "$linux_data" "$@" >"$linux_out" 2>"$linux_out.err"
    linux_status=$?
    run_windows --data-dir "$(windows_path "$windows_data")" "$@" >"$windows_out" 2>"$windows_out.err"
    windows_status=$?
    echo "   exit $linux_status / $windows_status, $(wc -c <"$linux_out") bytes"
    if [ "$linux_status" = "$windows_status" ] && cmp "$linux_out" "$windows_out"; then
        return 0
    fi
    echo "   Linux stderr: $(cat "$linux_out.err")"
    echo "   Windows stderr: $(cat "$windows_out.err")"
    return 1
}

echo "-- searches: the same output from both"
searches=(
    "search --json 東京都千代田区丸の内"
    "search --json 千代田区"
    "search --json 100-0005"
    "search --json 大字"
    "search --json -- -"
    "search --office --json 郵便局"
    "search 丸の内"
)
for search in "${searches[@]}"; do
    read -ra arguments <<<"$search"
    check "$search" same_output "$linux_dir" "$windows_dir" "${arguments[@]}"
done
# Each program's first search into an empty directory builds the tables from the postal data
# beside it, and answers the same.
check "search --json into an empty directory (first start)" same_output "$work/empty-linux" \
    "$work/empty-windows" search --json 丸の内

# An update from a web server on 127.0.0.1 holding the operator's files (the carried ones): both
# programs download them through Qt Network, print the same report and build the same tables.
update_from_local_server() {
    local port server status=0 file
    port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    python3 -m http.server "$port" --bind 127.0.0.1 --directory data >/dev/null 2>&1 &
    server=$!
    for _ in $(seq 50); do
        python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/')" \
            2>/dev/null && break
        sleep 0.1
    done
    same_output "$work/update-linux" "$work/update-windows" update --yes \
        --national "http://127.0.0.1:$port/ken_all.zip" \
        --offices "http://127.0.0.1:$port/jigyosyo.zip" || status=1
    kill "$server"
    for file in "$work/update-linux"/*; do
        cmp "$file" "$work/update-windows/${file##*/}" || status=1
    done
    return "$status"
}
check "update from a local web server: the same report and the same tables" update_from_local_server

# The program copied next to its tables as a portable copy, on a drive of their own (M:\).
cp "$windows_cli" "$(dirname "$windows_cli")/mervasto.portable" "$windows_dir/"
ln -sfn "$PWD/$windows_dir" "$WINEPREFIX/dosdevices/m:"

# The program's own directory as the table directory, here a drive root: found through
# GetModuleFileNameW, joined without a second backslash.
default_directory_search() {
    "$native_cli" --data-dir "$linux_dir" search --json 千代田区 >"$work/linux.out" &&
        wine 'M:\mervasto-cli.exe' search --json 千代田区 >"$work/windows.out" &&
        cmp "$work/linux.out" "$work/windows.out"
}
check "search from the program's directory, a drive root (M:\\)" default_directory_search

# On a console the text goes out through the console API (UTF-16); Wine shows the console on
# a pseudo-terminal, with cursor sequences and CR LF around the text.
console_search() {
    local command
    command=$(printf '%q ' timeout --foreground 120 env "${wine_locale[@]}" "$wine_loader")
    command+='M:\\mervasto-cli.exe search 100-0005'
    "$native_cli" --data-dir "$linux_dir" search 100-0005 >"$work/linux.out"
    script -qec "$command" /dev/null </dev/null |
        sed -E 's/\x1b\[[0-9;?]*[A-Za-z]//g; s/\r//g; /^$/d' >"$work/console.out"
    cmp "$work/linux.out" "$work/console.out"
}
if script -qec true /dev/null >/dev/null 2>&1 </dev/null; then
    check "search on a console shows the Japanese text" console_search
else
    echo "SKIP search on a console: no pseudo-terminal here"
fi
phase_done "end to end"

if with_qt; then
    source scripts/lib/windows-window-checks.sh
fi

echo "   Windows stage: $((SECONDS - stage_start)) s"
exit 0

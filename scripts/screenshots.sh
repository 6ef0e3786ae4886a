#!/usr/bin/env bash
# Takes the pictures in docs/screenshots/: the main window with a search result and a chosen
# line, the national table builder, the business-office table builder, the About box, the File
# menu and the update from the operator's files (served by Python's web server on 127.0.0.1,
# holding the samples as a new month: 10 codes gone, 3 new, 2 offices gone), at
# normal size and as a screen scaled to 200% shows them (NAME-200.png). The program runs on the
# sample tables in a private X server (Xvfb, no window manager), driven from the keyboard; each
# window is captured on its own once its picture has settled.
#
# Usage: scripts/screenshots.sh [BUILD-DIR]   (default: build; mervasto and mervasto-cli are
# built there first). SCREENSHOT_SCALES lists the scale factors (default "1 2"; e.g. "1.5" for
# a look at 150%). Needs Xvfb, xdotool, xclip and imagemagick (scripts/install-deps.sh test).
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1

readonly build=${1:-build}
readonly out=docs/screenshots
readonly search_text=東京都千代田区丸の内
readonly main_title='^メルバスト$'
readonly scales=${SCREENSHOT_SCALES:-1 2}

# shellcheck source=../tests/e2e/x-session.sh source-path=SCRIPTDIR
source tests/e2e/x-session.sh

fail() {
    xs_log "FAIL: $*"
    [ -s "$XS_WORK/mervasto.log" ] && cat "$XS_WORK/mervasto.log" >&2
    exit 1
}

for tool in Xvfb xdotool xclip import convert; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps.sh test)"
done

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || fail "cmake failed"
fi
cmake --build "$build" -j"$(nproc)" --target mervasto mervasto-cli >/dev/null ||
    fail "the build failed"
readonly mervasto=$build/src/app/mervasto cli=$build/src/cli/mervasto-cli

XS_DEADLINE=$((SECONDS + 120 * $(wc -w <<<"$scales")))
xs_begin
trap xs_stop_all EXIT
trap 'exit 1' INT TERM

data=$XS_WORK/tables
mkdir -p "$data" "$out"
run_cli() { timeout "$(xs_budget 20)" "$cli" --data-dir "$data" "$@"; }
# The window shows the date of the data: a fixed one keeps the pictures the same from run to run.
cp samples/KEN_ALL.CSV samples/JIGYOSYO.CSV "$XS_WORK/"
touch -d '2025-01-31 00:00' "$XS_WORK/KEN_ALL.CSV" "$XS_WORK/JIGYOSYO.CSV"
run_cli build national --yes "$XS_WORK/KEN_ALL.CSV" >/dev/null ||
    fail "the national tables could not be built"
run_cli build offices --yes "$XS_WORK/JIGYOSYO.CSV" >/dev/null ||
    fail "the office table could not be built"
# Each run of the program starts from these tables: the update replaces them.
cp -a "$data" "$XS_WORK/tables-before"

# The next month of the samples, on a local web server that the settings point the update to.
site=$XS_WORK/site
mkdir -p "$site" "$XS_WORK/config/Mervasto"
python3 - samples "$site" <<'PY' || fail "the next month could not be made"
import sys, zipfile
samples, site = sys.argv[1], sys.argv[2]
rows = open(samples + "/KEN_ALL.CSV", "rb").read().split(b"\r\n")[:-1]
code = lambda row: row.split(b",")[2]
gone = sorted({code(row) for row in rows})[40:50]
month = [row for row in rows if code(row) not in gone]
for number in (1, 2, 3):
    columns = rows[0].split(b",")
    columns[2] = b'"100990%d"' % number
    columns[8] = ('"新丸の内%d丁目"' % number).encode("cp932")
    month.append(b",".join(columns))
offices = open(samples + "/JIGYOSYO.CSV", "rb").read().split(b"\r\n")[:-1][2:]
for name, csv, lines in (("ken_all", "KEN_ALL.CSV", month), ("jigyosyo", "JIGYOSYO.CSV", offices)):
    with zipfile.ZipFile(f"{site}/{name}.zip", "w", zipfile.ZIP_DEFLATED) as archive:
        archive.writestr(zipfile.ZipInfo(csv, (2025, 2, 28, 0, 0, 0)), b"\r\n".join(lines) + b"\r\n")
PY
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site" >/dev/null 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null; xs_stop_all' EXIT
printf '[Update]\nNationalUrl=http://127.0.0.1:%s/ken_all.zip\nOfficesUrl=http://127.0.0.1:%s/jigyosyo.zip\n' \
    "$port" "$port" >"$XS_WORK/config/Mervasto/Mervasto.conf"

# Room for the largest scale: the main window is 588 x 420 at normal size.
XS_SCREEN=2560x1600x24 xs_start_xserver || fail "no X server"

# open_window KEYS... TITLE-REGEX: presses the keys in the main window and prints the id of the
# window that they open, once it has the focus.
open_window() {
    local title=${*: -1} window
    xs_focus "$main_window" || return 1
    xs_keys "${@:1:$#-1}" || return 1
    window=$(xs_find_window 20 "$title") || return 1
    xs_focus "$window" || return 1
    echo "$window"
}

# close_window WINDOW-TITLE-REGEX KEY: closes the focused window with the key.
close_window() {
    xs_keys "$2" && xs_wait_window_gone 10 "$1"
}

# close_builder WINDOW-TITLE-REGEX CSV: a builder closes by its done button (shown after a
# build), its close box (there is no window manager to offer one) or the answer Cancel: start a
# build from CSV over the tables that are there, and cancel at the overwrite question.
close_builder() {
    local question
    xs_offer_clipboard "$2" && xs_keys Tab Tab ctrl+v alt+s || return 1
    question=$(xs_find_window 10 '^ファイルに保存$') && xs_focus "$question" || return 1
    xs_keys Escape && xs_wait_window_gone 10 "$1"
}

# capture_with_menu WINDOW FILE: the window as the screen shows it, with its open menu over it
# (a menu is a window of its own).
capture_with_menu() {
    local X Y WIDTH HEIGHT SCREEN
    eval "$(xdotool getwindowgeometry --shell "$1")" || return 1
    sleep 1
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage png:- 2>/dev/null |
        convert - -strip -define png:compression-level=9 "png:$2"
}

# take_pictures SCALE: one run of the program at that scale factor, its pictures named with the
# percentage unless it is 1.
take_pictures() {
    local suffix="" window
    [ "$1" != 1 ] && suffix=-$(awk -v scale="$1" 'BEGIN { printf "%d", scale * 100 }')
    rm -rf "$data" && cp -a "$XS_WORK/tables-before" "$data" || fail "the tables could not be reset"
    XS_SCALE_FACTOR=$1 xs_start_program "$mervasto" "$data"
    main_window=$(xs_find_window 20 "$main_title") || fail "the main window did not appear"

    # The main window: search, choose the first line, copy. The confirmation of the copy shows
    # that every key before it has been handled. After it the list gets the focus back, five
    # Tabs from the copy button (around past the search box, both buttons and the postal-code
    # box), and Space chooses the line again: the line box shows it from its start once more
    # (passing the box on the way to the copy button scrolled it to its end).
    xs_offer_clipboard "$search_text" ||
        fail "xclip could not put the search text on the clipboard"
    open_window ctrl+v Return Return Tab Tab Tab Tab space Tab Tab Tab Return '^Mervasto$' \
        >/dev/null || fail "no confirmation of the copy"
    close_window '^Mervasto$' Return || fail "the confirmation did not close"
    xs_focus "$main_window" || fail "the main window did not take the focus back"
    xs_keys Tab Tab Tab Tab Tab space || fail "back to the list"
    xs_capture "$main_window" "$out/main-window$suffix.png" || fail "capturing the main window"

    window=$(open_window alt+f k 'KEN_ALL\.CSV') || fail "the national table builder did not open"
    xs_capture "$window" "$out/national-table-builder$suffix.png" ||
        fail "capturing the national builder"
    close_builder 'KEN_ALL\.CSV' "$PWD/samples/KEN_ALL.CSV" ||
        fail "the national table builder did not close"

    window=$(open_window alt+f c 'JIGYOSYO\.CSV') || fail "the office table builder did not open"
    xs_capture "$window" "$out/office-table-builder$suffix.png" ||
        fail "capturing the office builder"
    close_builder 'JIGYOSYO\.CSV' "$PWD/samples/JIGYOSYO.CSV" ||
        fail "the office table builder did not close"

    window=$(open_window alt+h a 'ﾊﾞｰｼﾞｮﾝ情報$') || fail "the About box did not open"
    xs_capture "$window" "$out/about-box$suffix.png" || fail "capturing the About box"
    close_window 'ﾊﾞｰｼﾞｮﾝ情報$' Escape || fail "Esc did not close the About box"

    xs_focus "$main_window" || fail "the main window did not take the focus back"
    xs_keys alt+f || fail "opening the File menu"
    capture_with_menu "$main_window" "$out/file-menu$suffix.png" || fail "capturing the File menu"
    xs_keys Escape Escape || fail "closing the File menu"

    window=$(open_window alt+f u '^郵便番号データの更新$') || fail "the update did not open"
    sleep 2 # the local download and the builds of the samples take well under that
    xs_capture "$window" "$out/update-dialog$suffix.png" || fail "capturing the update"
    close_window '^郵便番号データの更新$' Escape || fail "Esc did not close the update"

    xs_focus "$main_window" || fail "the main window did not take the focus back"
    xs_keys alt+f x || fail "closing from the File menu"
    xs_poll 10 xs_gone "$APP_PID" || fail "the program did not end after File, Close"
}

for scale in $scales; do
    take_pictures "$scale"
done
ls -l "$out"/*.png

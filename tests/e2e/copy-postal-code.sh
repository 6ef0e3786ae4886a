#!/usr/bin/env bash
# End to end, as a person would: build the tables from the samples, start the program in a
# private X server, paste a part of an address into the search box, press Enter twice, choose
# the first result line, press the copy button, close its confirmation with Enter, and find the
# line's postal code on the clipboard while the program still runs. Then close the program from
# its File menu; it must end by itself, without an error.
#
# Usage: copy-postal-code.sh MERVASTO MERVASTO-CLI SAMPLES-DIR [FAILURE-SCREENSHOT]
# Exit status 77 (skipped) when there is no Xvfb to run in.
set -uo pipefail

readonly mervasto=$1 cli=$2 samples=$3 failure_screenshot=${4:-}
# Typed without the end of the town's name, so that the search finds no exact hit: the postal
# code then reaches the clipboard only through choosing a line.
readonly search_text=東京都千代田区丸
readonly expected_code=100-0005
readonly main_title='^メルバスト$'
readonly confirmation_title='^Mervasto$'

XS_DEADLINE=$((SECONDS + 50))
# shellcheck source=x-session.sh source-path=SCRIPTDIR
source "$(dirname "$0")/x-session.sh"

fail() {
    xs_log "FAIL: $*"
    if [ -n "${DISPLAY:-}" ] && [ -n "$failure_screenshot" ]; then
        xs_capture_screen "$failure_screenshot" && xs_log "the screen is in $failure_screenshot"
    fi
    if [ -s "$XS_WORK/mervasto.log" ]; then
        xs_log "mervasto said:"
        cat "$XS_WORK/mervasto.log" >&2
    fi
    exit 1
}

if ! xs_have_xserver; then
    echo "Xvfb is not installed: skipped" >&2
    exit 77
fi
for tool in xdotool xclip; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps.sh test)"
done

xs_begin
trap xs_stop_all EXIT
trap 'exit 1' INT TERM

data=$XS_WORK/tables
mkdir -p "$data"
run_cli() { timeout "$(xs_budget 20)" "$cli" --data-dir "$data" "$@"; }
run_cli build national --yes "$samples/KEN_ALL.CSV" >/dev/null ||
    fail "the national tables could not be built from $samples"
run_cli build offices --yes "$samples/JIGYOSYO.CSV" >/dev/null ||
    fail "the office table could not be built from $samples"
# The command-line tool, on the same tables, shows the line the window must show first.
first_line_code=$(run_cli search --json "$search_text" |
    grep -o '"lines":\["[0-9]\{3\}-[0-9]\{4\}' | grep -o '[0-9-]*$')
[ "$first_line_code" = "$expected_code" ] ||
    fail "the first line found for $search_text has the code '$first_line_code', not $expected_code"

xs_start_xserver || fail "no X server"
xs_start_program "$mervasto" "$data"
main_window=$(xs_find_window 20 "$main_title") || fail "the main window did not appear"
xs_log "main window $main_window"

xs_offer_clipboard "$search_text" || fail "xclip could not put the search text on the clipboard"
xs_focus "$main_window" || fail "the main window did not take the focus"

# The search box has the focus at start. Paste, Enter (to the search button), Enter (search).
xs_keys ctrl+v Return Return || fail "typing the search failed"
# The search has moved the focus back to the search box. Four Tabs (search button, next-search
# button, postal-code box) reach the list, whose first line is then the current one; Space
# chooses it, which enables the copy button, three Tabs further (line box, office switch).
xs_keys Tab Tab Tab Tab space Tab Tab Tab Return || fail "choosing the line failed"

confirmation=$(xs_find_window 20 "$confirmation_title") ||
    fail "no confirmation of the copy appeared"
xs_log "confirmation $confirmation"
xs_focus "$confirmation" || fail "the confirmation did not take the focus"
xs_keys Return || fail "pressing Enter in the confirmation failed"
xs_wait_window_gone 10 "$confirmation_title" || fail "Enter did not close the confirmation"

xs_alive "$APP_PID" || fail "the program ended after the copy"
copied=$(xs_clipboard)
[ "$copied" = "$expected_code" ] || fail "the clipboard holds '$copied', not $expected_code"
xs_log "the clipboard holds $copied"

# Nobody returns the focus to the main window after the message box: we do, then File, Close.
xs_focus "$main_window" || fail "the main window did not take the focus back"
xs_keys alt+f x || fail "closing from the File menu failed"
xs_poll 15 xs_gone "$APP_PID" || fail "the program did not end after File, Close"
wait "$APP_PID"
status=$?
APP_PID=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
xs_log "passed"

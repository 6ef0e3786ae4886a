# Drives Mervasto in a private X server, as a person at the keyboard would: starts Xvfb on a
# display it picks itself, starts the program with settings of its own, finds its windows,
# types, and captures windows. Sourced by the end-to-end test and by scripts/screenshots.sh.
#
# Every wait is bounded by the time left until XS_DEADLINE (a value of $SECONDS), so a caller
# that hangs somewhere still ends, and cleans up, in time. There is no window manager: nobody
# gives a new window the focus unless we do (xs_focus).
# shellcheck shell=bash

XS_DEADLINE=${XS_DEADLINE:-$((SECONDS + 50))}
XS_WORK=""     # directory of this session's files (logs, settings, clipboard text)
XVFB_PID=""    # the X server we started
APP_PID=""     # the program we started
XCLIP_PID=""   # the xclip process that offers our text on the clipboard

xs_log() { echo "[$SECONDS s] $*" >&2; }

# The seconds a step may still take: its own bound, but never beyond the deadline.
xs_budget() {
    local left=$((XS_DEADLINE - SECONDS))
    ((left < 1)) && left=1
    echo $(($1 < left ? $1 : left))
}

# xs_poll SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds or time is up.
xs_poll() {
    local until=$((SECONDS + $(xs_budget "$1")))
    shift
    until "$@"; do
        ((SECONDS >= until)) && return 1
        sleep 0.1
    done
}

xs_alive() { [ -n "$1" ] && kill -0 "$1" 2>/dev/null; }
xs_gone() { ! xs_alive "$1"; }

# Stops what we started, by process id, and removes the session's files unless asked to keep
# them (XS_KEEP=1).
xs_stop_all() {
    local pid
    for pid in "$APP_PID" "$XCLIP_PID" "$XVFB_PID"; do
        xs_alive "$pid" || continue
        kill "$pid" 2>/dev/null
        xs_poll 3 xs_gone "$pid" || kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    APP_PID="" XCLIP_PID="" XVFB_PID=""
    [ -n "$XS_WORK" ] && [ "${XS_KEEP:-0}" != 1 ] && rm -rf "$XS_WORK"
    return 0
}

# xs_begin: creates the session directory. Call xs_stop_all from an EXIT trap.
xs_begin() {
    XS_WORK=$(mktemp -d "${TMPDIR:-/tmp}/mervasto-x.XXXXXX")
}

xs_have_xserver() { command -v Xvfb >/dev/null; }

# xs_start_xserver: starts Xvfb on a free display (it writes the number to us when it is ready
# for clients) and exports DISPLAY for the tools. XS_SCREEN sets the screen's size and depth.
xs_start_xserver() {
    local number_file=$XS_WORK/display
    : >"$number_file"
    Xvfb -displayfd 3 -screen 0 "${XS_SCREEN:-1024x768x24}" -nolisten tcp -noreset \
        3>"$number_file" >"$XS_WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    if ! xs_poll 15 grep -q '^[0-9][0-9]*$' "$number_file"; then
        xs_log "the X server did not start:"
        cat "$XS_WORK/xvfb.log" >&2
        return 1
    fi
    DISPLAY=":$(head -n 1 "$number_file")"
    export DISPLAY
    unset XAUTHORITY WAYLAND_DISPLAY
    xs_log "X server ready on $DISPLAY"
}

# The locale the program runs in: Japanese when the system has it, else any UTF-8 one (the
# program sets its own Japanese formats; the text only needs UTF-8).
xs_locale() {
    local name
    for name in ja_JP.utf8 C.utf8; do
        if locale -a 2>/dev/null | grep -qix "$name"; then
            echo "${name%.utf8}.UTF-8"
            return
        fi
    done
    echo C.UTF-8
}

# When the program is built with the address sanitizer: the D-Bus library under the toolkit
# keeps an allocation past the end (leaks are the offscreen widget tests' business), and the X
# keyboard library reads unterminated names with strndup, which strict string checks take for
# overflows.
XS_SANITIZER_OPTIONS=detect_leaks=0:strict_string_checks=0

# xs_start_program MERVASTO DATA-DIR: starts the program on our display, with a home, settings,
# runtime directory (its single-instance lock) and caches of its own, so that the user's are
# untouched and nothing of the user's desktop (input method, session bus, scaling) takes part.
# XS_SCALE_FACTOR, when set, scales the windows as a high-resolution screen does.
xs_start_program() {
    local program=$1 data=$2 language
    language=$(xs_locale)
    mkdir -p "$XS_WORK/home" "$XS_WORK/config" "$XS_WORK/cache" "$XS_WORK/runtime"
    chmod 700 "$XS_WORK/runtime"
    env -u DBUS_SESSION_BUS_ADDRESS -u QT_IM_MODULE -u XMODIFIERS -u QT_SCALE_FACTOR \
        -u QT_SCREEN_SCALE_FACTORS -u QT_FONT_DPI -u QT_STYLE_OVERRIDE \
        HOME="$XS_WORK/home" XDG_CONFIG_HOME="$XS_WORK/config" XDG_CACHE_HOME="$XS_WORK/cache" \
        XDG_RUNTIME_DIR="$XS_WORK/runtime" LANG="$language" LC_ALL="$language" \
        ${XS_SCALE_FACTOR:+QT_SCALE_FACTOR=$XS_SCALE_FACTOR} \
        QT_QPA_PLATFORM=xcb ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}$XS_SANITIZER_OPTIONS" \
        "$program" --data-dir "$data" >"$XS_WORK/mervasto.log" 2>&1 &
    APP_PID=$!
    xs_log "mervasto started (pid $APP_PID, $language)"
}

# xs_find_window SECONDS TITLE-REGEX: prints the id of the program's visible window whose title
# matches, once it is shown. Fails at once when the program has ended.
xs_find_window() {
    local until=$((SECONDS + $(xs_budget "$1"))) found
    while xs_alive "$APP_PID"; do
        found=$(xdotool search --all --onlyvisible --pid "$APP_PID" --name "$2" 2>/dev/null |
            head -n 1)
        [ -n "$found" ] && echo "$found" && return 0
        ((SECONDS >= until)) && return 1
        sleep 0.2
    done
    xs_log "the program has ended"
    return 1
}

xs_window_hidden() {
    ! xdotool search --all --onlyvisible --pid "$APP_PID" --name "$1" >/dev/null 2>&1
}

# xs_wait_window_gone SECONDS TITLE-REGEX
xs_wait_window_gone() {
    xs_poll "$1" xs_window_hidden "$2"
}

# xs_focus WINDOW: gives the window the keyboard focus and waits until it has it.
xs_focus() {
    timeout "$(xs_budget 10)" xdotool windowfocus --sync "$1"
}

# xs_keys KEY...: types the keys (X key names, e.g. Return, Tab, ctrl+v) into the focused window.
xs_keys() {
    timeout "$(xs_budget 10)" xdotool key --delay 40 "$@"
}

# xs_offer_clipboard TEXT: puts the text on the clipboard (xclip keeps offering it until another
# program takes the clipboard) and waits until it is there.
xs_offer_clipboard() {
    printf '%s' "$1" >"$XS_WORK/clipboard-in"
    xclip -quiet -selection clipboard -i "$XS_WORK/clipboard-in" >/dev/null 2>&1 &
    XCLIP_PID=$!
    xs_poll 5 xs_clipboard_is "$1"
}

xs_clipboard_is() { [ "$(xs_clipboard)" = "$1" ]; }

# Prints the clipboard's text; empty when nobody offers one.
xs_clipboard() {
    timeout "$(xs_budget 5)" xclip -o -selection clipboard 2>/dev/null
}

# xs_capture WINDOW FILE: captures the window as PNG once it shows something (not one flat
# colour) and its picture has stopped changing: the program may still be painting when it is
# first shown. A blinking text cursor makes the picture alternate between two: a picture seen
# two captures before counts as settled too.
xs_capture() {
    local window=$1 file=$2 previous="" before="" colours signature settled=""
    local until=$((SECONDS + $(xs_budget 30)))
    while ((SECONDS < until)); do
        sleep 0.3
        import -window "$window" "png:$file.tmp" 2>/dev/null || continue
        # The number of colours, and a checksum of the pixels alone.
        read -r colours signature < <(identify -format '%k %#' "$file.tmp")
        ((colours > 1)) || continue
        if [ "$signature" = "$previous" ] || [ "$signature" = "$before" ]; then
            settled=1
            break
        fi
        before=$previous
        previous=$signature
    done
    # Small files: no time stamps or other text chunks, best compression.
    [ -n "$settled" ] &&
        convert "$file.tmp" -strip -define png:compression-level=9 "png:$file"
    local status=$?
    [ -n "$settled" ] || xs_log "window $window: no settled picture (last: ${colours:-no} colours)"
    rm -f "$file.tmp"
    return $status
}

# xs_capture_screen FILE: the whole screen, to see what went wrong.
xs_capture_screen() {
    import -window root "png:$1" 2>/dev/null
}

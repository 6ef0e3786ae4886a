# Sourced by scripts/stages/30-windows.sh once the Windows build with Qt has passed its tests:
# the packages are made, unpacked, installed, used and removed under Wine, and the real window
# runs on Xvfb with the windows platform plugin. Uses the stage's check, wine, wine_locale,
# windows_path, native_cli, phase_done, build and work.
# shellcheck shell=bash disable=SC2317,SC2154

readonly reg_key='HKCU\Software\Mervasto\Mervasto\Settings'
readonly screen_width=1024 screen_height=768
export MERVASTO_WINE_LOCPATH=$locale_dir MERVASTO_WINE_LC_ALL=${wine_locale[-1]#LC_ALL=}

# --- The packages ----------------------------------------------------------------------------
echo "-- Windows packages (scripts/package-windows.sh)"
zip_dir=$work/zip
check "zip and installer made" bash scripts/package-windows.sh
phase_done "packages"

zip_file=$(ls dist/Mervasto-*-win64.zip 2>/dev/null | head -n 1)
setup_file=$(ls dist/Mervasto-*-win64-setup.exe 2>/dev/null | head -n 1)
rm -rf "$zip_dir"
mkdir -p "$zip_dir"
[ -n "$zip_file" ] && (cd "$zip_dir" && cmake -E tar xf "$PWD/../../../$zip_file")
portable=$(ls -d "$zip_dir"/Mervasto-*-win64 2>/dev/null | head -n 1)

zip_layout() { # what windeployqt would lay out, plus our own files
    local file missing=0
    for file in mervasto.exe mervasto-cli.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Qt6Network.dll \
        libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll platforms/qwindows.dll \
        styles/qwindowsvistastyle.dll tls/qschannelbackend.dll mervasto.portable README.txt \
        licenses/qt/LGPL-3.0-only.txt \
        ken_all.zip jigyosyo.zip; do
        [ -f "$portable/$file" ] || { echo "   missing: $file" && missing=1; }
    done
    echo "   $(du -sh "$zip_file" | cut -f1) zip; $(cd "$portable" && ls | tr '\n' ' ')"
    return "$missing"
}
check "zip: programs, Qt and its plugins, runtime, marker, README, licences, postal data" zip_layout

readme_for_notepad() { # UTF-8 with its byte-order mark, CRLF line ends, Japanese first
    local readme=$portable/README.txt
    [ "$(head -c 3 "$readme" | od -An -tx1 | tr -d ' ')" = efbbbf ] &&
        ! grep -qv $'\r$' "$readme" && head -n 1 "$readme" | grep -q 'メルバスト'
}
check "zip: README.txt in UTF-8 with a BOM and CRLF, Japanese first" readme_for_notepad

# The unpacked copy on a drive of its own: P:\ is the programs' directory and a drive root.
ln -sfn "$PWD/$portable" "$WINEPREFIX/dosdevices/p:"
# The unpacked zip's first command: its tables are built beside it from the data it carries,
# the same as the Linux tool builds from the same data, and the search answers.
zip_first_search_answers() {
    local linux_tables=$work/zip-linux
    rm -rf "$linux_tables"
    "$native_cli" --data-dir "$linux_tables" search 東京都千代田区丸の内 >"$work/linux.out" 2>/dev/null &&
        wine 'P:\mervasto-cli.exe' search 東京都千代田区丸の内 </dev/null >"$work/windows.out" \
            2>"$work/windows.err" &&
        grep -q '^100-0005' "$work/windows.out" && [ "$(wc -l <"$work/windows.err")" -eq 1 ] &&
        cmp "$work/linux.out" "$work/windows.out" &&
        cmp "$portable/ZIPCODE.txt" "$linux_tables/ZIPCODE.txt" &&
        cmp "$portable/ZipCode2.txt" "$linux_tables/ZipCode2.txt"
}
check "zip: the first mervasto-cli.exe search builds the tables beside it and answers 100-0005" \
    zip_first_search_answers
phase_done "zip"

# --- The window on Xvfb ----------------------------------------------------------------------
windows_window_checks() { # on the X server of $DISPLAY
    local screenshot_dir=$build/screenshots
    mkdir -p "$screenshot_dir"

    start_portable() { # the zip's mervasto.exe, tables in its own directory P:\
        bash scripts/lib/wine-program.sh 'P:\mervasto.exe' >"$XS_WORK/mervasto.log" 2>&1 &
        APP_PID=$!
    }
    main_window_shown() {
        start_portable
        main_window=$(xs_find_window 30 '^メルバスト$') &&
            xs_capture "$main_window" "$screenshot_dir/main-window-windows.png" &&
            echo "   window $main_window; screenshot $screenshot_dir/main-window-windows.png"
    }
    check "window: mervasto.exe from a drive root (P:\\) shows its main window" main_window_shown

    second_copy_refused() {
        local first=$APP_PID box status
        start_portable
        box=$(xs_find_window 30 '^Application already open') && xs_focus "$box" &&
            xs_keys Return && xs_poll 15 xs_gone "$APP_PID"
        status=$?
        APP_PID=$first
        [ "$status" = 0 ] && xs_alive "$first"
    }
    check "window: a second copy (another Wine process) is refused" second_copy_refused

    position_in_registry() {
        local geometry left top
        geometry=$(xdotool getwindowgeometry --shell "$main_window") || return 1
        xs_focus "$main_window" && xs_keys alt+f x && xs_poll 20 xs_gone "$APP_PID" || return 1
        APP_PID=""
        left=$(wine reg query "$reg_key" /v MainLeft | tr -d '\r' | awk '/MainLeft/ {print $3}')
        top=$(wine reg query "$reg_key" /v MainTop | tr -d '\r' | awk '/MainTop/ {print $3}')
        echo "   window at $(grep -E '^[XY]=' <<<"$geometry" | tr '\n' ' ')-> MainLeft=$left MainTop=$top"
        [[ $left =~ ^-?[0-9]+$ && $top =~ ^-?[0-9]+$ ]]
    }
    check "window: its position is kept in the registry (MainLeft, MainTop)" position_in_registry

    off_screen_position_ignored() {
        local X Y WIDTH HEIGHT
        wine reg add "$reg_key" /v MainLeft /t REG_SZ /d 3000000 /f >/dev/null &&
            wine reg add "$reg_key" /v MainTop /t REG_SZ /d 3000000 /f >/dev/null || return 1
        start_portable
        main_window=$(xs_find_window 30 '^メルバスト$') || { echo "   no main window" && return 1; }
        eval "$(xdotool getwindowgeometry --shell "$main_window")"
        echo "   stored 3000000 twips; window at $X,$Y (${WIDTH}x$HEIGHT)"
        ((X >= 0 && Y >= 0 && X + WIDTH <= screen_width && Y + HEIGHT <= screen_height))
    }
    check "window: a stored position off every screen is not used" off_screen_position_ignored

    help_opens_chm() { # the help viewer is closed again (in this Wine session only)
        local opened
        xs_focus "$main_window" && xs_keys alt+h h &&
            xs_poll 20 eval "pgrep -af 'hh.exe' | grep -qi 'ZipCode.chm'"
        opened=$?
        pgrep -af 'hh.exe' | sed 's/^/   /'
        wine taskkill /f /im hh.exe >/dev/null 2>&1
        return "$opened"
    }
    if [ -f "$portable/ZipCode.chm" ]; then
        check "window: Help opens ZipCode.chm through the shell (hh.exe)" help_opens_chm
    else
        echo "SKIP Help opens ZipCode.chm: the zip holds no help file (packaging/make-chm.sh)"
    fi
    kill "$APP_PID" 2>/dev/null
    APP_PID=""
    wine reg delete "$reg_key" /f >/dev/null 2>&1

    input_method() {
        env WINEPATH="$(wine_path_of_build)" \
            timeout 60 env "${wine_locale[@]}" "$wine_loader" \
            "$build/tests/app/input_method_tests.exe" -platform windows >"$XS_WORK/ime.log" 2>&1
        local status=$?
        sed 's/^/   /' "$XS_WORK/ime.log" | grep -E 'PASS|FAIL|SKIP|Totals' 
        return "$status"
    }
    check "window: the search box turns the input method to full-width hiragana" input_method
}
# The build tree's programs find Qt and the runtime through WINEPATH, as CTest gives it them.
wine_path_of_build() {
    grep -o 'WINEPATH=[^"]*' "$build/tests/app/CTestTestfile.cmake" | head -n 1 |
        sed 's/^WINEPATH=//; s/\\;/;/g'
}

# Wine's desktop process, which holds the clipboard too, belongs to the X server of the
# program that started it, and lives as long as the Wine server. A new prefix's first start
# (wineboot) starts it with no display at all, and then no window ever reaches an X server. So
# each X server here gets a Wine server of its own, started by the window shown there.
restart_wine() {
    "$wineserver" -k 2>/dev/null
    "$wineserver" -w 2>/dev/null
}

echo "-- the window on Xvfb (windows platform plugin)"
if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null; then
    echo "SKIP the window on Xvfb: needs xvfb, xdotool and xclip"
elif [ -z "$portable" ]; then
    check "window on Xvfb: no unpacked zip to run" false
else
    # A display number used again later shows no more windows: the X server of these checks
    # is started first, the end-to-end test (which needs the clipboard) starts its own on
    # another display, and its window starts a Wine server there; the other checks run on the
    # first X server afterwards, with a Wine server started by their first window.
    # shellcheck disable=SC2034 # read by x-session.sh
    XS_DEADLINE=$((SECONDS + 300))
    source tests/e2e/x-session.sh
    xs_begin
    if xs_start_xserver; then
        e2e_bin=$work/e2e-bin
        mkdir -p "$e2e_bin"
        printf '#!/bin/sh\n%q -k 2>/dev/null; %q -w 2>/dev/null\nexec bash %q %q "$@"\n' \
            "$wineserver" "$wineserver" "$PWD/scripts/lib/wine-program.sh" 'P:\mervasto.exe' \
            >"$e2e_bin/mervasto"
        printf '#!/bin/sh\nexec bash %q %q "$@"\n' "$PWD/scripts/lib/wine-program.sh" \
            'P:\mervasto-cli.exe' >"$e2e_bin/mervasto-cli"
        chmod +x "$e2e_bin"/*
        check "window: keyboard search, choose a line, copy its code (as tests/e2e)" \
            bash tests/e2e/copy-postal-code.sh "$e2e_bin/mervasto" "$e2e_bin/mervasto-cli" \
            "$PWD/samples" "$PWD/$build/screenshots/e2e-failure.png"
        restart_wine
        (windows_window_checks)
    else
        check "window on Xvfb: the X server starts" false
    fi
    xs_stop_all
fi
phase_done "window"

# --- The installer ---------------------------------------------------------------------------
echo "-- installer: silent install, use, silent uninstall"
readonly install_dir="$WINEPREFIX/drive_c/Program Files/Mervasto"
readonly start_menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Mervasto"
user_tables="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Mervasto"
installed_cli() { wine 'C:\Program Files\Mervasto\mervasto-cli.exe' "$@" </dev/null; }

silent_install() {
    wine "$(windows_path "$setup_file")" /S &&
        [ -f "$install_dir/mervasto.exe" ] && [ -f "$install_dir/Uninstall.exe" ] &&
        ls "$start_menu"/*.lnk | sed 's/^/   /' && [ ! -e "$install_dir/mervasto.portable" ]
}
check "installer: silent install (/S), Start-menu entry, no portable marker" silent_install

installed_cli_uses_user_tables() {
    [ -f "$install_dir/ken_all.zip" ] && [ -f "$install_dir/jigyosyo.zip" ] &&
        installed_cli search --json 100-0005 2>/dev/null | grep -q '丸の内' &&
        [ -f "$user_tables/ZIPCODE.txt" ] &&
        installed_cli build national --yes "$(windows_path samples/KEN_ALL.CSV)" >/dev/null &&
        installed_cli search --json 100-0005 | grep -q '丸の内' &&
        ! ls "$install_dir"/ZIP* >/dev/null 2>&1
}
check "installer: the installed mervasto-cli builds its tables per user at first, from the data beside it" \
    installed_cli_uses_user_tables

silent_uninstall() { # the uninstaller copies itself away and returns at once: wait for it
    wine 'C:\Program Files\Mervasto\Uninstall.exe' /S &&
        wait_gone 30 "$install_dir" && wait_gone 10 "$start_menu" &&
        [ -f "$user_tables/ZIPCODE.txt" ]
}
wait_gone() { # wait_gone SECONDS PATH
    local until=$((SECONDS + $1))
    while [ -e "$2" ]; do
        ((SECONDS >= until)) && { find "$2" | sed 's/^/   left: /'; return 1; }
        sleep 0.2
    done
}
check "installer: silent uninstall leaves nothing in the install directory, the tables stay" \
    silent_uninstall
phase_done "installer"

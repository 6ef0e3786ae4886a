#!/usr/bin/env bash
# The Debian package as a user meets it. scripts/package.sh builds it; apt installs it; the
# installed desktop entry and AppStream metainfo pass their validators; a user who is not root,
# with a fresh home, searches with mervasto-cli from PATH at once (its first search builds the
# tables from the postal data the package carries, into the per-user directory), builds the
# tables from samples/ and searches them; another such user starts mervasto with the desktop
# entry's Exec line in a private X server and sees its window and no message box, its tables
# built into the per-user directory; then the package is purged and nothing of it is left
# under /usr.
#
# Each check is counted through record_result. The exit status is non-zero only when the stage
# could not get as far as its checks (no package built). Installing needs root: without it the
# stage says so and counts nothing.
# shellcheck disable=SC2317 # the checks are functions run through check()
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
source scripts/lib/ctest-summary.sh

readonly user=nobody package=mervasto
readonly desktop_file=/usr/share/applications/mervasto.desktop
readonly metainfo=/usr/share/metainfo/io.github.mervasto.Mervasto.metainfo.xml
version=$(sed -nE 's/^project\(Mervasto VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
readonly deb=dist/mervasto_${version}_amd64.deb

if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP the package stage: installing a package needs root"
    exit 0
fi

log=$(mktemp)
home=$(mktemp -d /tmp/mervasto-home.XXXXXX)
window_home=$(mktemp -d /tmp/mervasto-home.XXXXXX)
installed_files=$(mktemp)
source tests/e2e/x-session.sh

apt_get() {
    DEBIAN_FRONTEND=noninteractive timeout 300 \
        apt-get -o DPkg::Lock::Timeout=120 -qq "$@" >"$log" 2>&1 || { cat "$log" && false; }
}
purge() { dpkg -s "$package" >/dev/null 2>&1 && apt_get purge -y "$package"; }
cleanup() {
    xs_stop_all
    purge
    rm -rf "$log" "$home" "$window_home" "$installed_files"
}
trap cleanup EXIT

echo "-- scripts/package.sh"
if ! bash scripts/package.sh >"$log" 2>&1 || [ ! -s "$deb" ]; then
    cat "$log"
    echo "FAIL scripts/package.sh built no $deb"
    exit 1
fi
echo "   $deb: $(stat -c %s "$deb") bytes; depends: $(dpkg-deb -f "$deb" Depends)"

installs() { apt_get install -y --no-install-recommends "./$deb" && dpkg -L "$package" >"$installed_files"; }
check "apt installs $deb" installs

check "desktop-file-validate $desktop_file" desktop-file-validate "$desktop_file"
check "appstreamcli validate --no-net $metainfo" appstreamcli validate --no-net "$metainfo"

all_exist() {
    local file
    for file in "$@"; do
        [ -e "$file" ] || { echo "   missing: $file" && return 1; }
    done
}
check "programs, icons, man page and manual installed" all_exist /usr/bin/mervasto \
    /usr/bin/mervasto-cli /usr/share/icons/hicolor/scalable/apps/mervasto.svg \
    /usr/share/icons/hicolor/48x48/apps/mervasto.png /usr/share/man/man1/mervasto-cli.1 \
    /usr/share/mervasto/manual/index.html /usr/share/doc/mervasto/copyright \
    /usr/share/mervasto/ken_all.zip /usr/share/mervasto/jigyosyo.zip

# --- A user who is not root, with a fresh home ------------------------------------------------
cp samples/KEN_ALL.CSV samples/JIGYOSYO.CSV "$home/"
mkdir -m 700 "$home/runtime"
chown -R "$user:" "$home"
readonly user_tables=$home/.local/share/mervasto
as_user() { # the user's command, in its home, with nothing of ours in the environment
    timeout 60 runuser -u "$user" -- env -i -C "$home" HOME="$home" PATH=/usr/bin:/bin \
        LANG=C.UTF-8 XDG_RUNTIME_DIR="$home/runtime" "$@"
}

where_is_user_directory() { [ "$(as_user mervasto-cli where)" = "$user_tables" ]; }
check "mervasto-cli where: $user_tables" where_is_user_directory

# The first command, with no step before it: the carried data becomes the user's tables.
first_search_answers() {
    as_user mervasto-cli search 東京都千代田区丸の内 >"$log" 2>"$log.err" &&
        grep -q "^100-0005" "$log" && [ "$(wc -l <"$log.err")" -eq 1 ] &&
        [ -s "$user_tables/ZIPCODE.txt" ] && [ -s "$user_tables/ZipCode2.txt" ] ||
        { cat "$log" "$log.err" && false; }
}
check "first mervasto-cli search 東京都千代田区丸の内 in an empty home: 100-0005" \
    first_search_answers
rm -f "$log.err"

builds() { # builds national|offices CSV TABLE
    as_user mervasto-cli build "$1" --yes "$home/$2" >"$log" 2>&1 || { cat "$log" && false; }
    [ -s "$user_tables/$3" ]
}
check "mervasto-cli build national: tables in the per-user directory" \
    builds national KEN_ALL.CSV ZIPCODE.txt
check "mervasto-cli build offices: table in the per-user directory" \
    builds offices JIGYOSYO.CSV ZipCode2.txt

finds() { # finds EXPECTED-LINE-START SEARCH-ARGUMENTS...
    local expected=$1
    shift
    as_user mervasto-cli search "$@" >"$log" && grep -q "^$expected" "$log"
}
check "mervasto-cli search 東京都千代田区丸の内" finds 100-0005 東京都千代田区丸の内
check "mervasto-cli search --office 郵便局" finds 1 --office 郵便局

# The update through the installed Qt Network, from a web server on 127.0.0.1 holding the data
# the package carries; then the way back to the tables built from samples/.
updates_and_reverts() {
    local port server status=0
    port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    python3 -m http.server "$port" --bind 127.0.0.1 --directory /usr/share/mervasto \
        >/dev/null 2>&1 &
    server=$!
    sleep 1
    as_user mervasto-cli update --yes --national "http://127.0.0.1:$port/ken_all.zip" \
        --offices "http://127.0.0.1:$port/jigyosyo.zip" >"$log" 2>&1 &&
        grep -q '^郵便番号データを更新しました。$' "$log" &&
        as_user mervasto-cli search 札幌市北区北十条西 | grep -q '^001-0010' &&
        as_user mervasto-cli update --revert --yes >>"$log" 2>&1 &&
        ! as_user mervasto-cli search 札幌市北区北十条西 >/dev/null || status=1
    kill "$server"
    [ "$status" -eq 0 ] || cat "$log"
    return "$status"
}
check "mervasto-cli update from a local web server, then update --revert" updates_and_reverts

# The desktop entry's command line (its field codes dropped), in a private X server, started by
# a user whose home is empty: the window builds its tables on the way up and shows no message
# box (a failed build or missing tables would show one in front of it).
mkdir -m 700 "$window_home/runtime"
chown -R "$user:" "$window_home"
window_shows() {
    local exec_line window windows
    XS_DEADLINE=$((SECONDS + 60))
    exec_line=$(sed -n 's/^Exec=//p' "$desktop_file" | head -n 1 | sed -E 's/ ?%[a-zA-Z]//g')
    xs_begin
    xs_start_xserver || return 1
    read -ra command <<<"$exec_line"
    runuser -u "$user" -- env -i -C "$window_home" HOME="$window_home" PATH=/usr/bin:/bin \
        LANG=C.UTF-8 XDG_RUNTIME_DIR="$window_home/runtime" DISPLAY="$DISPLAY" \
        QT_QPA_PLATFORM=xcb "${command[@]}" >"$log" 2>&1 &
    local starter=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --name '^メルバスト$' 2>/dev/null |
        head -n 1)
    sleep 2 # time for a message box that the start-up would queue behind the window
    windows=$(xdotool search --onlyvisible --name '.' 2>/dev/null | wc -l)
    # xs_stop_all ends the program (found by its window) and the X server; then the runuser
    # that started the program ends with it.
    # shellcheck disable=SC2034 # read by xs_stop_all
    APP_PID=$(xdotool getwindowpid "$window" 2>/dev/null)
    xs_stop_all
    kill "$starter" 2>/dev/null
    wait "$starter" 2>/dev/null
    [ -n "$window" ] || { cat "$log" && false; }
    [ "$windows" -eq 1 ] || { echo "   $windows windows, not the main window alone" && false; }
    [ -s "$window_home/.local/share/mervasto/ZIPCODE.txt" ] &&
        [ -s "$window_home/.local/share/mervasto/ZipCode2.txt" ]
}
check "mervasto started with the desktop entry's Exec line in an empty home: its window, no message box, tables in ~/.local/share/mervasto" \
    window_shows

# --- Removal ---------------------------------------------------------------------------------
nothing_left() {
    local file left=0
    purge || return 1
    while read -r file; do
        [ -d "$file" ] && continue
        [ -e "$file" ] && echo "   left: $file" && left=1
    done <"$installed_files"
    find /usr -iname '*mervasto*' | grep . && left=1
    return "$left"
}
check "apt-get purge leaves nothing of the package under /usr" nothing_left
exit 0

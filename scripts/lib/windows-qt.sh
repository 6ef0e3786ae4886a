# shellcheck shell=bash
# Shared by the Windows stage and scripts/package-windows.sh: Qt for MinGW, unpacked once into
# the Windows build directory from ../shared/toolchains after its checksum is verified.

readonly windows_qt_archive_dir=${MERVASTO_TOOLCHAINS:-../shared/toolchains}
readonly windows_qt_archive=qt6.4.2-mingw-w64-x86_64.tar.xz

# unpack_windows_qt BUILD-DIR: BUILD-DIR/qt6-mingw holds Qt afterwards; fails (quietly) when
# there is no archive, loudly when its checksum is wrong.
unpack_windows_qt() {
    local directory=$1 stamp=$1/qt6-mingw/.unpacked
    [ -f "$windows_qt_archive_dir/$windows_qt_archive" ] || return 1
    [ -f "$stamp" ] && return 0
    if ! (cd "$windows_qt_archive_dir" && sha256sum --quiet -c "$windows_qt_archive.sha256"); then
        echo "Qt for MinGW: checksum of $windows_qt_archive does not match" >&2
        return 1
    fi
    mkdir -p "$directory"
    rm -rf "$directory/qt6-mingw"
    tar -xJf "$windows_qt_archive_dir/$windows_qt_archive" -C "$directory" && touch "$stamp"
}

# The configure preset for BUILD-DIR: with the window when Qt is there.
windows_preset() {
    if unpack_windows_qt "$1"; then
        echo windows-cross-qt
    else
        echo windows-cross
    fi
}

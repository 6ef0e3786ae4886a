#!/usr/bin/env bash
# wine-program.sh WINDOWS-PROGRAM ARGUMENT...: runs a Windows program under Wine in place of a
# Linux one (the end-to-end test starts it so): absolute Unix paths among the arguments become
# Windows paths on drive Z:, and the program keeps this process id, so that its windows carry
# it. Wine's locale comes from MERVASTO_WINE_LOCPATH and MERVASTO_WINE_LC_ALL.
program=$1
shift
arguments=()
for argument in "$@"; do
    [[ $argument == /* ]] && argument="Z:${argument//\//\\}"
    arguments+=("$argument")
done
exec env LOCPATH="${MERVASTO_WINE_LOCPATH:-}" LC_ALL="${MERVASTO_WINE_LC_ALL:-C.UTF-8}" \
    /usr/lib/wine/wine64 "$program" "${arguments[@]}"

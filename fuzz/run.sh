#!/usr/bin/env bash
# Builds the fuzz targets and runs each for a bounded time, then prints the wall time, the
# processor time (user + system), the executions and the coverage of each.
# Usage: fuzz/run.sh [SECONDS [PARALLEL]]   (default 60 seconds each, 2 targets at a time)
# Environment: MERVASTO_FUZZ_TARGETS="fuzz_cp932 ..." runs only those; MERVASTO_FUZZ_BUILD_DIR
# (default build-fuzz); MERVASTO_FUZZ_TIMEOUT, the seconds one input may take (default 10;
# raise it on a machine so busy that a target waits long for a processor). Inputs found are
# kept in BUILD/corpus/<target>, crashes in BUILD/artifacts; the committed seeds in
# fuzz/corpus are only read. Exits 1 on any finding.
set -uo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
parallel=${2:-2}
build=${MERVASTO_FUZZ_BUILD_DIR:-build-fuzz}
targets=${MERVASTO_FUZZ_TARGETS:-$(ls fuzz/corpus)}
timeout=${MERVASTO_FUZZ_TIMEOUT:-10}

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMERVASTO_BUILD_FUZZERS=ON -DMERVASTO_BUILD_GUI=OFF -DMERVASTO_BUILD_TESTS=OFF \
    -DMERVASTO_BUILD_CLI=OFF -DMERVASTO_VENDORED_MINIZIP=ON >/dev/null || exit 1
# shellcheck disable=SC2086
cmake --build "$build" -j"$(nproc)" --target $targets >/dev/null || exit 1

logs="$build/fuzz-logs"
tmp=$(mktemp -d "${TMPDIR:-/tmp}/mervasto-fuzz.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$logs" "$build/artifacts"

run_target() {
    local target=$1
    mkdir -p "$build/corpus/$target"
    local TIMEFORMAT='%U %S' # processor time of the target, user and system
    { time MERVASTO_FUZZ_TMP=$tmp "$build/fuzz/$target" "$build/corpus/$target" \
        "fuzz/corpus/$target" -dict=fuzz/mervasto.dict -max_total_time="$seconds" \
        -timeout="$timeout" -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$target-" >"$logs/$target.log" 2>&1; } \
        2>"$logs/$target.time"
}

pids=()
names=()
for target in $targets; do
    run_target "$target" &
    pids+=($!)
    names+=("$target")
    while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do
        wait -n
    done
done

status=0
printf '%-22s %8s %9s %12s %16s %s\n' target seconds cpu-s executions edges/features result
for i in "${!pids[@]}"; do
    target=${names[$i]}
    log=$logs/$target.log
    if wait "${pids[$i]}"; then result=ok; else result="FAILED (see $log)"; status=1; fi
    runs=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+).*/\1/p' "$log")
    took=$(sed -nE 's/^Done [0-9]+ runs in ([0-9]+) second.*/\1/p' "$log")
    processor=$(awk '{ printf "%d", $1 + $2 }' "$logs/$target.time" 2>/dev/null)
    coverage=$(sed -nE 's/.*cov: ([0-9]+) ft: ([0-9]+).*/\1\/\2/p' "$log" | tail -n 1)
    printf '%-22s %8s %9s %12s %16s %s\n' "$target" "${took:-?}" "${processor:-?}" \
        "${runs:-?}" "${coverage:-?}" "$result"
done
exit $status

#!/usr/bin/env bash
# Builds the fuzz targets and runs each for a bounded time, then prints the wall time, the
# processor time (user + system), the executions and the coverage of each.
# Usage: fuzz/run.sh [SECONDS [PARALLEL]]   (default 60 seconds each, 2 targets at a time)
# SECONDS is wall time; with MERVASTO_FUZZ_CPU=1 it is processor time instead: each target runs
# until it has had that much of a processor, however busy the machine is (outside CI, where a
# target's share of the processors is not known).
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
cpu_budget=${MERVASTO_FUZZ_CPU:-0}

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMERVASTO_BUILD_FUZZERS=ON -DMERVASTO_BUILD_GUI=OFF -DMERVASTO_BUILD_TESTS=OFF \
    -DMERVASTO_BUILD_CLI=OFF -DMERVASTO_VENDORED_MINIZIP=ON >/dev/null || exit 1
# shellcheck disable=SC2086
cmake --build "$build" -j"$(nproc)" --target $targets >/dev/null || exit 1

logs="$build/fuzz-logs"
tmp=$(mktemp -d "${TMPDIR:-/tmp}/mervasto-fuzz.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$logs" "$build/artifacts"

# The processor seconds (user + system) that process PID has had so far.
cpu_seconds() {
    awk -v ticks="$(getconf CLK_TCK)" '{ print int(($14 + $15) / ticks) }' "/proc/$1/stat" \
        2>/dev/null || echo 0
}

# Interrupts the fuzzer PID once it has had `seconds` of processor time; libFuzzer then prints
# its final statistics and exits with status 72.
stop_after_cpu() {
    local pid=$1
    while kill -0 "$pid" 2>/dev/null; do
        [ "$(cpu_seconds "$pid")" -ge "$seconds" ] && kill -INT "$pid"
        sleep 5
    done
}

fuzz_target() {
    local target=$1 wall=$2
    MERVASTO_FUZZ_TMP=$tmp "$build/fuzz/$target" "$build/corpus/$target" \
        "fuzz/corpus/$target" -dict=fuzz/mervasto.dict -max_total_time="$wall" \
        -timeout="$timeout" -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$target-" >"$logs/$target.log" 2>&1 &
    local fuzzer=$!
    [ "$cpu_budget" = 1 ] && stop_after_cpu "$fuzzer" &
    wait "$fuzzer"
    local status=$?
    [ "$status" -eq 72 ] && status=0 # interrupted at the end of its processor time
    return "$status"
}

run_target() {
    local target=$1 wall=$seconds
    [ "$cpu_budget" = 1 ] && wall=$((seconds * 20)) # bounded by stop_after_cpu instead
    mkdir -p "$build/corpus/$target"
    local TIMEFORMAT='%U %S %R' # processor time of the target, user and system; wall time
    { time fuzz_target "$target" "$wall"; } 2>"$logs/$target.time"
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
    took=$(awk '{ printf "%d", $3 }' "$logs/$target.time" 2>/dev/null)
    processor=$(awk '{ printf "%d", $1 + $2 }' "$logs/$target.time" 2>/dev/null)
    coverage=$(sed -nE 's/.*cov: ([0-9]+) ft: ([0-9]+).*/\1\/\2/p' "$log" | tail -n 1)
    printf '%-22s %8s %9s %12s %16s %s\n' "$target" "${took:-?}" "${processor:-?}" \
        "${runs:-?}" "${coverage:-?}" "$result"
done
exit $status

#!/usr/bin/env bash
# The whole test suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer (the
# desktop program and its widget tests included, offscreen). Any report fails its test: UB
# aborts (-fno-sanitize-recover) and LeakSanitizer reports every leak at exit (the toolkit's
# own allocations need no suppression list at present).
set -uo pipefail
cd "$(dirname "$0")/../.."
source scripts/lib/ctest-summary.sh

build=${MERVASTO_ASAN_BUILD_DIR:-build-asan}
started=$SECONDS

# -O1 keeps the reports exact and the large-input tests quick; -g1 gives line numbers at a
# fraction of the cost of full debug information.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="-O1 -g1" \
    -DMERVASTO_SANITIZE=ON -DMERVASTO_BUILD_GUI=ON >"$log" 2>&1 ||
    ! cmake --build "$build" -j"$(nproc)" >>"$log" 2>&1; then
    tail -n 60 "$log"
    echo "sanitizer build failed"
    record_result 0 1
    exit 1
fi
echo "sanitizer build: $((SECONDS - started)) s"

export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen

tested=$SECONDS
run_ctest "$build"
status=$?
echo "sanitizer tests: $((SECONDS - tested)) s; stage: $((SECONDS - started)) s"
exit $status

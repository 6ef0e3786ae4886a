#!/usr/bin/env bash
# The whole test suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer (the
# desktop program and its widget tests included, offscreen). Any report fails its test: UB
# aborts (-fno-sanitize-recover), and leaks are reported at exit except those on the known list
# of the toolkit's own (scripts/lsan-suppressions.txt).
set -uo pipefail
cd "$(dirname "$0")/../.."
source scripts/lib/ctest-summary.sh

build=${MERVASTO_ASAN_BUILD_DIR:-build-asan}
started=$SECONDS

# -O1 keeps the reports exact and the large-input tests quick; -g1 gives line numbers at a
# fraction of the cost of full debug information.
if ! cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="-O1 -g1" \
    -DMERVASTO_SANITIZE=ON -DMERVASTO_BUILD_GUI=ON >/dev/null ||
    ! cmake --build "$build" -j"$(nproc)" >/dev/null; then
    echo "sanitizer build failed"
    record_result 0 1
    exit 1
fi
echo "sanitizer build: $((SECONDS - started)) s"

export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen

tested=$SECONDS
run_ctest "$build"
status=$?
echo "sanitizer tests: $((SECONDS - tested)) s; stage: $((SECONDS - started)) s"
exit $status

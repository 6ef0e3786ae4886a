#!/usr/bin/env bash
# Builds every fuzz target and runs each for a few seconds over its seeds: the harness keeps
# building and the seeds keep passing. The long runs are fuzz/run.sh's (docs/robustness.md).
set -uo pipefail
cd "$(dirname "$0")/../.."
source scripts/lib/ctest-summary.sh

seconds=${MERVASTO_FUZZ_SMOKE_SECONDS:-5}
started=$SECONDS
log=$(mktemp)
trap 'rm -f "$log"' EXIT

bash fuzz/run.sh "$seconds" 2 | tee "$log"
status=${PIPESTATUS[0]}
passed=$(grep -cE ' ok$' "$log")
failed=$(grep -cE ' FAILED' "$log")
if [ "$status" -ne 0 ] && [ "$failed" -eq 0 ]; then
    failed=1 # the build itself failed
fi
record_result "$passed" "$failed"
echo "fuzz smoke run: $((SECONDS - started)) s"
exit "$status"

#!/usr/bin/env bash
# Sets up what is missing, builds everything and runs every test: the native tests (unit,
# widget and end-to-end), then each further stage found in scripts/stages/ (sanitizers, fuzz
# smoke run, Windows cross-build under Wine). Ends with one line "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh test || exit 1

results=$(mktemp)
trap 'rm -f "$results"' EXIT
export MERVASTO_RESULTS="$results"
source scripts/lib/ctest-summary.sh

jobs=$(nproc)
echo "== native build and tests"
if cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null &&
    cmake --build build -j"$jobs"; then
    run_ctest build
else
    record_result 0 1
fi

for stage in scripts/stages/*.sh; do
    [ -e "$stage" ] || continue
    echo "== $(basename "$stage" .sh)"
    bash "$stage" || record_result 0 1
done

read -r passed failed < <(awk '{p += $1; f += $2} END {print p + 0, f + 0}' "$results")
echo
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]

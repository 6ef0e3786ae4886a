#!/usr/bin/env bash
# Sets up what is missing, builds the program, builds the sample tables when the data
# directory holds none, and starts Mervasto.
# Usage: scripts/run.sh [DATA-DIR]   (default: build/data)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh run
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMERVASTO_BUILD_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)" --target mervasto mervasto-cli

data_dir=${1:-build/data}
mkdir -p "$data_dir"
cli=build/src/cli/mervasto-cli
if [ ! -s "$data_dir/ZIPCODE.TXT" ]; then
    echo "Building the national table from samples/KEN_ALL.CSV into $data_dir"
    "$cli" --data-dir "$data_dir" build national --yes samples/KEN_ALL.CSV
fi
if [ ! -s "$data_dir/ZipCode2.txt" ]; then
    echo "Building the business-office table from samples/JIGYOSYO.CSV into $data_dir"
    "$cli" --data-dir "$data_dir" build offices --yes samples/JIGYOSYO.CSV
fi

exec build/src/app/mervasto --data-dir "$data_dir"

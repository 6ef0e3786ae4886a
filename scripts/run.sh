#!/usr/bin/env bash
# Sets up what is missing, builds the program, builds the whole country's tables from the
# postal data in data/ when the data directory holds none (scripts/build-tables.sh), and
# starts Mervasto.
# Usage: scripts/run.sh [DATA-DIR]   (default: build/data)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh run
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMERVASTO_BUILD_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)" --target mervasto mervasto-cli

data_dir=${1:-build/data}
mkdir -p "$data_dir"
bash scripts/build-tables.sh "$PWD/build/src/cli/mervasto-cli" "$data_dir"

exec build/src/app/mervasto --data-dir "$data_dir"

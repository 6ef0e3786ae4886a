#!/usr/bin/env bash
# Sets up what is missing, builds the program and starts Mervasto. On its first start the
# program builds the whole country's tables from the postal data carried beside it (data/*.zip,
# copied there by the build) into the data directory.
# Usage: scripts/run.sh [DATA-DIR]   (default: build/data)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh run
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMERVASTO_BUILD_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)" --target mervasto mervasto-cli

data_dir=${1:-build/data}
exec build/src/app/mervasto --data-dir "$data_dir"

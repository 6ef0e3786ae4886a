#!/usr/bin/env bash
# Builds the whole country's tables from the postal data in data/ (KEN_ALL.CSV.xz,
# JIGYOSYO.CSV.xz) into DATA-DIR, each table only when DATA-DIR does not hold it yet.
# Usage: scripts/build-tables.sh CLI DATA-DIR   (CLI: the built mervasto-cli)
set -euo pipefail
cd "$(dirname "$0")/.."

cli=$1
data_dir=$2

# Builds one table from data/NAME.CSV.xz, unpacked into a temporary file first.
build_from_data() {
    local builder=$1 name=$2 csv
    csv=$(mktemp --suffix=.csv)
    echo "Building the $builder table from data/$name.CSV.xz into $data_dir"
    xz -dc "data/$name.CSV.xz" >"$csv"
    "$cli" --data-dir "$data_dir" build "$builder" --yes "$csv" || { rm -f "$csv"; exit 1; }
    rm -f "$csv"
}

# The two builds write different tables: run them side by side.
builds=()
[ -s "$data_dir/ZIPCODE.txt" ] || { build_from_data national KEN_ALL & builds+=($!); }
[ -s "$data_dir/ZipCode2.txt" ] || { build_from_data offices JIGYOSYO & builds+=($!); }
for build in "${builds[@]}"; do
    wait "$build"
done

# Shared by scripts/test.sh and its stages: runs CTest in a build directory, or one check,
# and appends "passed failed" to the file named by $MERVASTO_RESULTS.

record_result() {
    echo "$1 $2" >>"${MERVASTO_RESULTS:-/dev/null}"
}

# check NAME COMMAND...: runs COMMAND, records its outcome and prints it on one line.
check() {
    local name=$1
    shift
    if "$@"; then
        echo "PASS $name"
        record_result 1 0
    else
        echo "FAIL $name"
        record_result 0 1
    fi
}

# run_ctest BUILD-DIR [ctest arguments...]
run_ctest() {
    local dir=$1
    shift
    local log
    log=$(mktemp)
    ctest --test-dir "$dir" --output-on-failure -j"$(nproc)" "$@" 2>&1 | tee "$log"
    local summary total failed
    summary=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    rm -f "$log"
    if [ -z "$summary" ]; then
        record_result 0 1
        return 1
    fi
    failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")
    total=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$summary")
    record_result $((total - failed)) "$failed"
    [ "$failed" -eq 0 ]
}

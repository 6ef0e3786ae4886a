#!/usr/bin/env python3
"""Converts the address mix with mervasto-cli and prints how many rows got the right code.

For each spelling of bench/address-mix.py: the rows, the share with the right code (whatever
the row's status), and the rows marked 一致 or 補正一致 whose code is wrong (there must be none).

Usage: address-accuracy.py MERVASTO-CLI TABLE-DIR KEN_ALL.CSV JIGYOSYO.CSV
  TABLE-DIR holds the national tables built from KEN_ALL.CSV.
"""

import csv
import io
import json
import subprocess
import sys
from collections import Counter, defaultdict
from pathlib import Path

SURE = {"一致", "補正一致"}


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    cli, tables, national, business = sys.argv[1:]
    mix = subprocess.run([sys.executable, str(Path(__file__).with_name("address-mix.py")),
                          national, business], check=True, capture_output=True,
                         text=True).stdout
    rows = list(csv.reader(io.StringIO(mix)))[1:]
    addresses = "".join(address + "\n" for address, _, _ in rows)
    converted = subprocess.run([cli, "--data-dir", tables, "convert", "--json", "-"],
                               input=addresses, capture_output=True, text=True).stdout
    answers = [json.loads(line) for line in converted.splitlines()]
    if len(answers) != len(rows):
        sys.exit(f"{len(answers)} answers for {len(rows)} rows")

    total, right, wrong_sure = Counter(), Counter(), Counter()
    statuses = defaultdict(Counter)
    for (address, code, spelling), answer in zip(rows, answers):
        total[spelling] += 1
        statuses[spelling][answer["status"]] += 1
        if answer["code"] == code:
            right[spelling] += 1
        elif answer["status"] in SURE:
            wrong_sure[spelling] += 1
            print(f"wrong {answer['status']}: {address} {answer['code']} (right {code})",
                  file=sys.stderr)
    print("| spelling | rows | right code | 一致/補正一致 wrong | statuses |")
    print("|---|---:|---:|---:|---|")
    for spelling in total:
        share = 100 * right[spelling] / total[spelling]
        counts = ", ".join(f"{s} {n}" for s, n in statuses[spelling].most_common())
        print(f"| {spelling} | {total[spelling]} | {share:.1f}% | {wrong_sure[spelling]} |"
              f" {counts} |")
    sys.exit(1 if sum(wrong_sure.values()) else 0)


if __name__ == "__main__":
    main()

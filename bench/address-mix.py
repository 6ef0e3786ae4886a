#!/usr/bin/env python3
"""Makes an address list from the business-office file, in the spellings people write.

Each office's address (prefecture, city, town, block number) is written in one of four ways:
as the file writes it, without the prefecture, with Arabic numerals before 条, 丁目, 線, 番町
and 地割 in the town name, and with ケ and ヶ swapped. The right postal code of a row is the
code that the national file gives the office's town; offices whose town the national file
does not name, or names with several codes, are left out.

Output (UTF-8 CSV on standard output, with a header): address, right code, spelling.

Usage: address-mix.py KEN_ALL.CSV JIGYOSYO.CSV [--rows N] [--seed S]
  Without --rows every usable office is written once in every spelling that applies to it;
  with --rows N the four spellings take turns until N rows are written.
"""

import argparse
import csv
import random
import re
import sys
from collections import defaultdict

KANJI_DIGITS = "〇一二三四五六七八九"
COUNTED = "条|丁目|線|番町|地割"
FULL_DIGITS = str.maketrans("０１２３４５６７８９", "0123456789")
KANJI_NUMBER = re.compile("([一二三四五六七八九十]+)(?=" + COUNTED + ")")


def kanji_value(text):
    """The value of a kanji number up to 99 (二十九, 十, 三)."""
    if "十" in text:
        tens, _, units = text.partition("十")
        return (KANJI_DIGITS.index(tens) if tens else 1) * 10 + (
            KANJI_DIGITS.index(units) if units else 0)
    return int("".join(str(KANJI_DIGITS.index(c)) for c in text))


def with_arabic(town, full_width):
    def arabic(match):
        digits = str(kanji_value(match.group(1)))
        return digits.translate(str.maketrans("0123456789", "０１２３４５６７８９")) \
            if full_width else digits
    return KANJI_NUMBER.sub(arabic, town)


def town_key(town):
    """A town name in one form for looking it up: no reading notes, no 大字 or 字 in front,
    ケ for ヶ, Arabic half-width digits."""
    town = re.sub("（.*", "", town)
    town = re.sub("^(大字|字)", "", town)
    town = with_arabic(town, False).translate(FULL_DIGITS)
    return town.replace("ヶ", "ケ")


def read_csv(path):
    with open(path, encoding="cp932", newline="") as file:
        yield from csv.reader(file)


def town_codes(national):
    codes = defaultdict(set)
    for row in read_csv(national):
        codes[(row[6], row[7], town_key(row[8]))].add(row[2])
    return codes


def offices(national, business):
    codes = town_codes(national)
    for row in read_csv(business):
        prefecture, city, town, block = row[3], row[4], row[5], row[6]
        found = codes.get((prefecture, city, town_key(town)), set())
        if town and len(found) == 1:
            code = next(iter(found))
            yield prefecture, city, town, block, code[:3] + "-" + code[3:]


def swapped_ke(text):
    return text.translate(str.maketrans("ケヶ", "ヶケ"))


def spellings(office, rng):
    prefecture, city, town, block, _ = office
    yield "as-written", prefecture + city + town + block
    yield "no-prefecture", city + town + block
    arabic = with_arabic(town, rng.random() < 0.5)
    if arabic != town:
        yield "arabic", prefecture + city + arabic + block
    written = prefecture + city + town
    if "ケ" in written or "ヶ" in written:
        yield "ke-swapped", swapped_ke(written) + block


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("national")
    parser.add_argument("business")
    parser.add_argument("--rows", type=int)
    parser.add_argument("--seed", type=int, default=26)
    args = parser.parse_args()
    rng = random.Random(args.seed)

    by_spelling = defaultdict(list)
    for office in offices(args.national, args.business):
        for spelling, address in spellings(office, rng):
            by_spelling[spelling].append((address, office[4], spelling))

    out = csv.writer(sys.stdout, lineterminator="\n")
    out.writerow(["住所", "正解", "表記"])
    if args.rows is None:
        for rows in by_spelling.values():
            out.writerows(rows)
        return
    kinds = list(by_spelling.values())
    for number in range(args.rows):
        rows = kinds[number % len(kinds)]
        out.writerow(rows[rng.randrange(len(rows))])


if __name__ == "__main__":
    main()

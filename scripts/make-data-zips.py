#!/usr/bin/env python3
"""Packs the operator's two CSV files into data/ken_all.zip and data/jigyosyo.zip, as the
operator publishes them: one entry each, deflated, dated with the day the data was published.
The same CSVs always give the same zips, byte for byte.

    python3 scripts/make-data-zips.py [CSV-DIR]    (default: ../shared/data)
"""
import pathlib
import sys
import zipfile

# The operator publishes each month's data on the month's last day.
PUBLISHED = (2025, 9, 30, 0, 0, 0)
ARCHIVES = {"ken_all.zip": "KEN_ALL.CSV", "jigyosyo.zip": "JIGYOSYO.CSV"}


def pack(csv: pathlib.Path, archive: pathlib.Path) -> None:
    entry = zipfile.ZipInfo(csv.name, date_time=PUBLISHED)
    entry.compress_type = zipfile.ZIP_DEFLATED
    entry.create_system = 0  # MS-DOS
    entry.external_attr = 0x20  # archive bit, as a Windows zip tool sets it
    with zipfile.ZipFile(archive, "w") as out:
        out.writestr(entry, csv.read_bytes(), compresslevel=9)


def main() -> None:
    top = pathlib.Path(__file__).resolve().parent.parent
    source = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else top.parent / "shared" / "data"
    for archive, name in ARCHIVES.items():
        pack(source / name, top / "data" / archive)
        print(f"data/{archive}: {name} of {source}")


if __name__ == "__main__":
    main()

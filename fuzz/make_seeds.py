#!/usr/bin/env python3
"""Writes the structured seeds of the zip, address-list and journal inputs into fuzz/corpus.

Run from anywhere: python3 fuzz/make_seeds.py. The seeds are committed; run it again only to
change them. Each seed is named after what it shows.
"""
import io
import pathlib
import struct
import zipfile

CORPUS = pathlib.Path(__file__).resolve().parent / "corpus"
CSV_ROW = ('01101,"060  ","0600000","ﾎｯｶｲﾄﾞｳ","ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ","ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ",'
           '"北海道","札幌市中央区","以下に掲載がない場合",0,0,0,0,0,0\r\n')
CP932_ROWS = (CSV_ROW * 3).encode("cp932")
UTF8_ROWS = b"\xef\xbb\xbf" + (CSV_ROW * 2).encode("utf-8")


def write(target, name, data):
    directory = CORPUS / target
    directory.mkdir(parents=True, exist_ok=True)
    (directory / name).write_bytes(data)


def zip_of(members, method=zipfile.ZIP_DEFLATED, comment=b""):
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w", method) as archive:
        archive.comment = comment
        for name, data in members:
            archive.writestr(zipfile.ZipInfo(name), data, compress_type=method)
    return buffer.getvalue()


class Unseekable(io.RawIOBase):
    """A stream that cannot seek back: the zip writer then ends each entry with a data
    descriptor (flag bit 3) instead of patching its local header."""

    def __init__(self):
        self.data = bytearray()

    def writable(self):
        return True

    def write(self, chunk):
        self.data += chunk
        return len(chunk)


def zip_with_descriptors(members, force_zip64=False):
    stream = Unseekable()
    with zipfile.ZipFile(stream, "w", zipfile.ZIP_DEFLATED) as archive:
        for name, data in members:
            with archive.open(name, "w", force_zip64=force_zip64) as entry:
                entry.write(data)
    return bytes(stream.data)


def with_zip64_end(archive):
    """The archive with a zip64 end record and its locator before the end record, whose
    counts and offsets then say "look in the zip64 record" (all ones)."""
    end = archive.rindex(b"PK\x05\x06")
    (_, _, _, entries, _, size, offset, comment_length) = struct.unpack(
        "<IHHHHIIH", archive[end:end + 22])
    zip64_end_offset = end
    zip64_end = struct.pack("<IQHHIIQQQQ", 0x06064B50, 44, 45, 45, 0, 0, entries, entries,
                            size, offset)
    locator = struct.pack("<IIQI", 0x07064B50, 0, zip64_end_offset, 1)
    record = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, 0xFFFF, 0xFFFF, 0xFFFFFFFF,
                         0xFFFFFFFF, comment_length)
    return archive[:end] + zip64_end + locator + record + archive[end + 22:]


def zip_seeds():
    target = "fuzz_source_file"
    write(target, "zip_name_of_1100_bytes", zip_of([("k" * 1096 + ".csv", CP932_ROWS)]))
    write(target, "zip_name_of_1024_bytes_stored",
          zip_of([("k" * 1020 + ".CSV", CP932_ROWS)], zipfile.ZIP_STORED))
    write(target, "zip_long_names_beside_the_csv",
          zip_of([("r" * 1100 + ".txt", b"read me"), ("d" * 3000 + "/", b""),
                  ("KEN_ALL.CSV", CP932_ROWS), ("x" * 4000 + ".csv.txt", b"")]))
    write(target, "zip_odd_names",
          zip_of([("", b"no name"), (".csv", UTF8_ROWS), ("../up.txt", b"up"),
                  ("dir\\back.txt", b"back"), ("住所.txt", b"utf-8 name"),
                  ("trailing.csv ", b"space")]))
    write(target, "zip_several_entries",
          zip_of([("a.txt", b"a"), ("b/", b""), ("b/c.CsV", UTF8_ROWS), ("d.xml", b"<d/>"),
                  ("e.csv.bak", CP932_ROWS)]))
    write(target, "zip_two_csvs", zip_of([("KEN_ALL.CSV", CP932_ROWS), ("jigyosyo.csv", b"")]))
    write(target, "zip_data_descriptors",
          zip_with_descriptors([("readme.txt", b"read me"), ("KEN_ALL.CSV", CP932_ROWS)]))
    write(target, "zip_zip64_entries",
          zip_with_descriptors([("KEN_ALL.CSV", CP932_ROWS)], force_zip64=True))
    write(target, "zip_zip64_end_record",
          with_zip64_end(zip_of([("a.txt", b"a"), ("KEN_ALL.CSV", CP932_ROWS)])))
    write(target, "zip_with_comment",
          zip_of([("KEN_ALL.CSV", CP932_ROWS)], comment=b"PK\x05\x06 in the comment"))


def address_list_seeds():
    target = "fuzz_address_list"
    # The first byte chooses the options: bits 0-1 the address column (0 is none), bit 2 a
    # header row.
    write(target, "lines_cp932", b"\x01" + "東京都千代田区\r\n大阪府大阪市北区\r\n".encode("cp932"))
    write(target, "quoted_fields_utf8_with_bom_and_header",
          b"\x06" + b"\xef\xbb\xbf" + 'name,address\n"a, b","東京都""千代田区"""\n'
          '"line\nbreak",札幌市\n'.encode("utf-8"))
    write(target, "quoted_fields_cp932",
          b"\x02" + 'x,"大阪府,大阪市",y\r\n"",""""\r\n,,\r\n'.encode("cp932"))
    write(target, "utf8_cut_in_a_character", b"\x01" + "京都府京都市".encode("utf-8")[:-1])
    write(target, "cp932_cut_after_a_lead_byte", b"\x01" + "京都府".encode("cp932") + b"\x82")
    write(target, "quote_left_open", b"\x03" + b'a,b,"c\r\nd,e\r\n')
    write(target, "ragged_rows", b"\x07" + b'h\n1,2,3,4,5\n\n"q"x,y"z\n')


def journal(direction, steps, end=True):
    text = "mervasto table commit\n" + direction + "\n"
    for table, fresh, backup in steps:
        text += f"{table}\t{fresh}\t{backup}\n"
    return (text + ("end\n" if end else "")).encode()


def journal_seeds():
    target = "fuzz_journal_recovery"
    tables = ["ZIPCODE.txt", "ZIPID1.txt", "ZipCode1.txt", "ZipCode2.txt"]
    whole = [(t, f".{t}.1.tmp", f".{t}.2.tmp") for t in tables]
    # Files of the directory, one bit each in this order: each table, its new file and its
    # backup, then five files no journal may name.
    separator = b"\xff\xff"

    def mask(missing):
        bits = 0xFFFFFF
        for file in missing:
            bits &= ~(1 << file)
        return separator + bits.to_bytes(3, "little")

    write(target, "forward_whole", journal("F", whole))
    write(target, "forward_half_renamed", journal("F", whole) + mask([1, 4]))
    write(target, "undo_whole", journal("U", whole))
    write(target, "undo_half_restored", journal("U", whole) + mask([2, 5]))
    write(target, "undo_of_a_new_table", journal("U", [(t, f".{t}.1.tmp", "") for t in tables]))
    write(target, "forward_without_backups",
          journal("F", [("ZipCode2.txt", ".ZipCode2.txt.1.tmp", "")]) + mask([9]))
    write(target, "same_table_twice",
          journal("F", [whole[0], ("ZIPCODE.txt", ".ZIPCODE.txt.2.tmp", ".ZIPCODE.txt.1.tmp")]))
    write(target, "other_letter_case",
          journal("F", [("zipcode.txt", ".zipcode.txt.1.tmp", ".zipcode.txt.7.tmp")]))
    write(target, "cut_short", journal("F", whole, end=False))
    write(target, "crlf_lines", journal("F", whole).replace(b"\n", b"\r\n"))
    write(target, "names_outside",
          journal("F", [("../ZIPCODE.txt", ".ZIPCODE.txt.1.tmp", "../canary/ZIPCODE.txt")]))


if __name__ == "__main__":
    zip_seeds()
    address_list_seeds()
    journal_seeds()

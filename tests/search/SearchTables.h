#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace mervasto::test {

// One row of the national list.
struct NationalRow {
    std::u16string code; // seven digits
    std::u16string prefecture;
    std::u16string city;
    std::u16string town;

    std::u16string address() const { return prefecture + city + town; }
};

// The rows of tests/fixtures/search/national.tsv, and the lines of offices.txt.
std::vector<NationalRow> fixtureNationalRows();
std::vector<std::u16string> fixtureOfficeLines();

// Writes ZIPCODE.TXT, ZIPID1.txt (one entry per run of rows of one prefecture and city, then
// the closing entry) and ZipCode1.txt for `rows` into `dir`.
void writeNationalTables(const std::filesystem::path& dir, const std::vector<NationalRow>& rows);

// Writes ZipCode2.txt into `dir`, one line per entry.
void writeOfficeTable(const std::filesystem::path& dir, const std::vector<std::u16string>& lines);

// The lines the searches list: a record-scan line (code, two spaces, the 60-character address
// field with its padding) and a ZipCode1.txt line (code, two ideographic spaces, address).
std::u16string recordLine(std::u16string_view code, std::u16string_view address);
std::u16string textLine(std::u16string_view code, std::u16string_view address);

} // namespace mervasto::test

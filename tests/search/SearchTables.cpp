#include "SearchTables.h"

#include "data/LineWriter.h"
#include "data/RecordFile.h"
#include "data/Utf8.h"

#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace mervasto::test {

namespace {

// The non-comment lines of a UTF-8 fixture file.
std::vector<std::u16string> fixtureLines(const char* name) {
    const fs::path file = fs::path(MERVASTO_SEARCH_FIXTURES_DIR) / name;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("missing fixture " + file.string());
    std::vector<std::u16string> lines;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#')
            lines.push_back(fromUtf8(line));
    return lines;
}

std::vector<std::u16string> splitAtTabs(std::u16string_view line) {
    std::vector<std::u16string> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find(u'\t', start);
        fields.emplace_back(line.substr(start, tab - start));
        if (tab == std::u16string_view::npos)
            return fields;
        start = tab + 1;
    }
}

std::u16string hyphenated(std::u16string_view code) {
    return std::u16string(code.substr(0, 3)) + u"-" + std::u16string(code.substr(3, 4));
}

void writeIndexEntry(LineWriter& index, std::u16string_view key, std::u16string_view city,
                     std::int32_t firstRecord) {
    index.writeLine(key);
    index.writeLine(city);
    index.writeNumber(firstRecord);
}

} // namespace

std::vector<NationalRow> fixtureNationalRows() {
    std::vector<NationalRow> rows;
    for (const auto& line : fixtureLines("national.tsv")) {
        const auto fields = splitAtTabs(line);
        rows.push_back({fields.at(0), fields.at(1), fields.at(2), fields.at(3)});
    }
    return rows;
}

std::vector<std::u16string> fixtureOfficeLines() {
    return fixtureLines("offices.txt");
}

void writeNationalTables(const fs::path& dir, const std::vector<NationalRow>& rows) {
    RecordFileWriter records(dir / "ZIPCODE.TXT");
    LineWriter index(dir / "ZIPID1.txt");
    LineWriter lines(dir / "ZipCode1.txt");
    std::u16string previousKey;
    std::int32_t recordNo = 0;
    for (const auto& row : rows) {
        ++recordNo;
        ZipRecord record;
        record.setCode(row.code);
        record.setAddress(row.address());
        records.write(recordNo, record);
        if (recordNo == 1 || row.prefecture + row.city != previousKey)
            writeIndexEntry(index, row.prefecture + row.city, row.city, recordNo);
        previousKey = row.prefecture + row.city;
        lines.writeLine(hyphenated(row.code) + u"　　" + row.address());
    }
    writeIndexEntry(index, u"", u"", recordNo + 1);
    records.close();
    index.close();
    lines.close();
}

void writeOfficeTable(const fs::path& dir, const std::vector<std::u16string>& lines) {
    LineWriter table(dir / "ZipCode2.txt");
    for (const auto& line : lines)
        table.writeLine(line);
    table.close();
}

std::u16string recordLine(std::u16string_view code, std::u16string_view address) {
    std::u16string field(address);
    field.resize(60, u' ');
    return hyphenated(code) + u"  " + field;
}

std::u16string textLine(std::u16string_view code, std::u16string_view address) {
    return hyphenated(code) + u"　　" + std::u16string(address);
}

} // namespace mervasto::test

#include "RobustnessSupport.h"

#include "builders/NationalTableBuild.h"
#include "builders/OfficeTableBuild.h"
#include "data/Cp932Codec.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include <sys/resource.h>

namespace fs = std::filesystem;

namespace mervasto::test {

TablesState tablesState(const fs::path& dir, const IndexTable& index) {
    TablesState state;
    state.files = filesIn(dir);
    state.count = index.Count;
    for (int slot = 0; slot < index.Count + 1; ++slot) { // one slot beyond, too
        state.keys.push_back(index.Key[slot]);
        state.cities.push_back(index.City[slot]);
        state.firstRecords.push_back(index.FirstRecord[slot]);
    }
    return state;
}

namespace {

OverwriteAnswer answerYes(const std::u16string&) {
    return OverwriteAnswer::Yes;
}

} // namespace

BuildOutcome buildNational(const fs::path& csv, const fs::path& dataDir, IndexTable& index) {
    NoProgress progress;
    return buildNationalTables(csv, dataDir, index, answerYes, progress);
}

BuildOutcome buildOffices(const fs::path& csv, const fs::path& dataDir) {
    NoProgress progress;
    return buildOfficeTable(csv, dataDir, answerYes, progress);
}

void buildPreviousTables(const fs::path& scratch, const fs::path& dataDir, IndexTable& index) {
    writeBytes(scratch / "old-national.csv", nationalCsv(10, 5));
    writeBytes(scratch / "old-offices.csv", officeCsv(10));
    // Built beside and copied in, so that a small disk holds the finished tables and needs no
    // room for their making.
    const fs::path built = scratch / "previous-tables";
    fs::create_directories(built);
    ASSERT_EQ(buildNational(scratch / "old-national.csv", built, index).result,
              BuildResult::Completed);
    ASSERT_EQ(buildOffices(scratch / "old-offices.csv", built).result, BuildResult::Completed);
    fs::create_directories(dataDir);
    for (const auto& table : fs::directory_iterator(built))
        if (table.is_regular_file())
            fs::copy_file(table.path(), dataDir / table.path().filename());
}

std::string nationalCsv(int rows, int rowsPerCity) {
    const std::string prefecture = encodeCp932(u"東京都");
    const std::string town = encodeCp932(u"丸の内");
    std::string csv;
    for (int row = 0; row < rows; ++row) {
        const std::string number = std::to_string(row);
        const std::string code = std::to_string(1000000 + row % 9000000);
        char city[16];
        std::snprintf(city, sizeof city, "C%04d", row / rowsPerCity);
        csv += "13101,\"100  \",\"" + code + "\",\"a\",\"b\",\"c\",\"" + prefecture + "\",\"" +
               city + "\",\"" + town + number + "\",0,0,0,0,0,0\r\n";
    }
    return csv;
}

std::string officeCsv(int records) {
    const std::string name = encodeCp932(u"（株）サンプル");
    const std::string prefecture = encodeCp932(u"東京都");
    std::string csv;
    for (int record = 0; record < records; ++record)
        csv += "13101,\"a\",\"" + name + std::to_string(record) + "\",\"" + prefecture +
               "\",\"c\",\"d\",\"e\",\"1000001\",\"100  \",\"f\",0,0,0\r\n";
    return csv;
}

void writeSparseZeros(const fs::path& file, std::uintmax_t size) {
    std::ofstream(file, std::ios::binary | std::ios::trunc).close();
    fs::resize_file(file, size);
}

std::size_t peakResidentBytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<std::size_t>(usage.ru_maxrss) * 1024;
}

} // namespace mervasto::test

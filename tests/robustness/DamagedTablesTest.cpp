// Searches on tables damaged or removed after start-up loaded the index: each ends with what
// the remaining files allow, or with the search's error message, never with a crash.

#include "RobustnessSupport.h"
#include "data/Cp932Codec.h"
#include "data/Filest.h"
#include "data/IndexLoader.h"
#include "data/Utf8.h"
#include "data/ZipRecord.h"
#include "search/Search.h"
#include "search/SearchText.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

namespace fs = std::filesystem;

namespace mervasto::test {
namespace {

// Rows 0 to 19 of four cities C0000 to C0003 (five rows each), their offices, and the index that
// start-up loaded from them.
class DamagedTables : public ::testing::Test {
protected:
    void SetUp() override {
        writeBytes(root / "national.csv", nationalCsv(20, 5));
        writeBytes(root / "offices.csv", officeCsv(20));
        fs::create_directory(dir);
        ASSERT_EQ(buildNational(root / "national.csv", dir, filest->indexTable).result,
                  BuildResult::Completed);
        ASSERT_EQ(buildOffices(root / "offices.csv", dir).result, BuildResult::Completed);
        ASSERT_TRUE(loadIndexTable(dir, filest->indexTable));
    }

    SearchOutcome search(std::u16string_view key, bool offices = false) {
        return runSearch(dir, filest->indexTable, key, offices);
    }

    TempDir root;
    fs::path dir = root / "data";
    std::unique_ptr<Filest> filest = std::make_unique<Filest>();
};

enum class Ending {
    Found,        // lines listed, no message
    NotFound,     // no line, the not-found status, no message
    AddressError, // the national tables' error message
    OfficeError,  // the business-office table's error message
};

struct Damage {
    const char* name;
    void (*damage)(const fs::path& dir);
    std::u16string_view key;
    bool offices;
    Ending ending;
    std::size_t lines;
};

void expectEnding(const SearchOutcome& outcome, const Damage& damage) {
    switch (damage.ending) {
    case Ending::Found:
    case Ending::NotFound:
        EXPECT_FALSE(outcome.message) << toUtf8(outcome.message->text);
        EXPECT_EQ(outcome.lines.size(), damage.lines);
        EXPECT_TRUE(outcome.buttonsEnabled);
        break;
    case Ending::AddressError:
    case Ending::OfficeError:
        ASSERT_TRUE(outcome.message);
        EXPECT_EQ(outcome.message->text, damage.ending == Ending::AddressError
                                             ? SearchText::AddressTableMissing
                                             : SearchText::OfficeTableMissing);
        EXPECT_EQ(outcome.message->title, SearchText::ErrorTitle);
        EXPECT_EQ(outcome.status, SearchText::Aborted);
        break;
    }
}

class DamagedTable : public DamagedTables, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedTable, SearchEndsSoundly) {
    GetParam().damage(dir);
    expectEnding(search(GetParam().key, GetParam().offices), GetParam());
}

void removeFile(const fs::path& dir, const char* name) {
    fs::remove(dir / name);
}

// The closing entry and every entry of ZIPID1.txt point at `record`.
void pointIndexAt(const fs::path& dir, const std::string& record) {
    std::string index;
    for (const char* city : {"C0000", "C0001", "C0002", "C0003"})
        index += encodeCp932(u"東京都") + city + "\r\n" + city + "\r\n " + record + " \r\n";
    writeBytes(dir / "ZIPID1.txt", index + "\r\n\r\n " + record + " \r\n");
}

// Each case damages the tables after the index was loaded, except the index cases, which
// reload it (start-up after the damage).
const Damage Cases[] = {
    {"RecordFileDeletedCityKeyFallsBackToTheTextPass",
     [](const fs::path& dir) { removeFile(dir, "ZIPCODE.txt"); }, u"東京都C0001丸の内7", false,
     Ending::Found, 1},
    {"LineFileDeletedCityKeyStillFoundByRecords",
     [](const fs::path& dir) { removeFile(dir, "ZipCode1.txt"); }, u"東京都C0001丸の内7", false,
     Ending::Found, 1},
    {"LineFileDeletedTextPassKeyGivesTheMessage",
     [](const fs::path& dir) { removeFile(dir, "ZipCode1.txt"); }, u"100-0007", false,
     Ending::AddressError, 0},
    {"IndexFileDeletedAfterStartUpKeepsTheLoadedIndex",
     [](const fs::path& dir) { removeFile(dir, "ZIPID1.txt"); }, u"東京都C0001丸の内7", false,
     Ending::Found, 1},
    {"OfficeTableDeleted", [](const fs::path& dir) { removeFile(dir, "ZipCode2.txt"); },
     u"サンプル1", true, Ending::OfficeError, 0},
    {"RecordFileCutInsideARecord",
     [](const fs::path& dir) { fs::resize_file(dir / "ZIPCODE.txt", 7 * 70 + 33); },
     u"東京都C0001丸の内", false, Ending::Found, 2},
    {"RecordFileOfGarbage",
     [](const fs::path& dir) { writeBytes(dir / "ZIPCODE.txt", std::string(20 * 70, '\x81')); },
     u"東京都C0001丸の内7", false, Ending::Found, 1},
    {"RecordFileIsADirectory",
     [](const fs::path& dir) {
         removeFile(dir, "ZIPCODE.txt");
         fs::create_directory(dir / "ZIPCODE.txt");
     },
     u"東京都C0001丸の内7", false, Ending::AddressError, 0},
    {"LineFileIsADirectory",
     [](const fs::path& dir) {
         removeFile(dir, "ZipCode1.txt");
         fs::create_directory(dir / "ZipCode1.txt");
     },
     u"100-0007", false, Ending::AddressError, 0},
    {"OfficeTableIsADirectory",
     [](const fs::path& dir) {
         removeFile(dir, "ZipCode2.txt");
         fs::create_directory(dir / "ZipCode2.txt");
     },
     u"サンプル1", true, Ending::OfficeError, 0},
    {"OfficeTableOfNulBytesWithoutLineEnd",
     [](const fs::path& dir) { writeSparseZeros(dir / "ZipCode2.txt", 4 << 20); }, u"サンプル1",
     true, Ending::OfficeError, 0},
};

INSTANTIATE_TEST_SUITE_P(Cases, DamagedTable, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

// ZIPID1.txt whose entries point past the end of ZIPCODE.TXT (or before its start): the records
// are absent, the index stages find nothing and the text pass answers.
class IndexPointingAnywhere : public DamagedTables,
                              public ::testing::WithParamInterface<std::string> {};

TEST_P(IndexPointingAnywhere, RecordsAreAbsentAndTheTextPassAnswers) {
    pointIndexAt(dir, GetParam());
    ASSERT_TRUE(loadIndexTable(dir, filest->indexTable));
    ASSERT_EQ(filest->indexTable.Count, 5);

    const SearchOutcome outcome = search(u"東京都C0001丸の内7");

    EXPECT_FALSE(outcome.message);
    ASSERT_EQ(outcome.lines.size(), 1u);
    EXPECT_EQ(outcome.lines[0], u"100-0007　　東京都C0001丸の内7");
}

INSTANTIATE_TEST_SUITE_P(Cases, IndexPointingAnywhere,
                         ::testing::Values("21", "70000", "2147483647", "0", "-5", "-2147483648"));

TEST_F(DamagedTables, IndexEntriesOutOfOrderReadOnlyWhatExists) {
    // C0001 starts past C0002 and the closing entry before both: no record range, no crash.
    const std::string tokyo = encodeCp932(u"東京都");
    writeBytes(dir / "ZIPID1.txt", tokyo + "C0001\r\nC0001\r\n 15 \r\n" + tokyo +
                                       "C0002\r\nC0002\r\n 11 \r\n\r\n\r\n 3 \r\n");
    ASSERT_TRUE(loadIndexTable(dir, filest->indexTable));
    const SearchOutcome outcome = search(u"東京都C0001丸の内7");
    EXPECT_FALSE(outcome.message);
    EXPECT_EQ(outcome.lines, ResultLines{u"100-0007　　東京都C0001丸の内7"});
}

// A 16-bit position: a match that starts past 32767 takes the error path, as every 16-bit
// overflow of a search does.
TEST_F(DamagedTables, MatchPositionPast32767GivesTheMessageInBothSearches) {
    const std::string padding(40000, 'a');
    writeBytes(dir / "ZipCode1.txt", padding + "100-0001\r\n");
    writeBytes(dir / "ZipCode2.txt", padding + "100-0001\r\n");
    expectEnding(search(u"100-0001"), {"", nullptr, {}, false, Ending::AddressError, 0});
    expectEnding(search(u"100-0001", true), {"", nullptr, {}, true, Ending::OfficeError, 0});
}

} // namespace
} // namespace mervasto::test

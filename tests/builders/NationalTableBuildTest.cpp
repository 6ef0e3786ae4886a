#include "builders/NationalTableBuild.h"
#include "BuildTestSupport.h"
#include "builders/BuildText.h"
#include "data/ItemReader.h"
#include "data/TablePaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;

namespace mervasto::test {
namespace {

// A KEN_ALL.CSV row with the four columns the tables use; the others as the operator fills them.
std::u16string row(std::u16string_view code, std::u16string_view prefecture,
                   std::u16string_view city, std::u16string_view town) {
    return u"13101,\"100  \",\"" + std::u16string(code) + u"\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ﾏﾙﾉｳﾁ\",\"" +
           std::u16string(prefecture) + u"\",\"" + std::u16string(city) + u"\",\"" +
           std::u16string(town) + u"\",0,0,0,0,0,0\r\n";
}

// `runs` rows, each of a city of its own, with the unused columns empty.
std::u16string rowsOfDistinctCities(int runs) {
    std::u16string csv;
    for (int city = 0; city < runs; ++city) {
        const auto name = std::to_string(city);
        csv += u"13101,,1000000,,,,東京都,C" + std::u16string(name.begin(), name.end()) +
               u",,0,0,0,0,0,0\r\n";
    }
    return csv;
}

// The three files and the index entries in use, for comparing before and after.
struct NationalState {
    std::string records, index, lines, listing;
    std::vector<std::u16string> keys, cities;
    std::vector<std::int32_t> firstRecords;
    std::int16_t count = 0;
    bool operator==(const NationalState&) const = default;
};

class NationalBuild : public ::testing::Test {
protected:
    BuildOutcome build(OverwriteAnswer answer = OverwriteAnswer::Yes) {
        ask = ScriptedAsk(answer);
        progress.events.clear();
        return buildNationalTables(place.csv, place.dataDir, filest->indexTable, ask.callback(),
                                   progress);
    }
    BuildOutcome build(std::u16string_view csv) {
        writeCp932(place.csv, csv);
        return build();
    }

    NationalState state() const {
        const auto& table = filest->indexTable;
        NationalState state;
        state.records = place.bytes("ZIPCODE.txt");
        state.index = place.bytes("ZIPID1.txt");
        state.lines = place.bytes("ZipCode1.txt");
        state.listing = place.listing();
        for (int slot = 0; slot < table.Count + 2; ++slot) { // one slot beyond, too
            state.keys.push_back(table.Key[slot]);
            state.cities.push_back(table.City[slot]);
            state.firstRecords.push_back(table.FirstRecord[slot]);
        }
        state.count = table.Count;
        return state;
    }

    BuildPlace place;
    std::unique_ptr<Filest> filest = std::make_unique<Filest>();
    ScriptedAsk ask;
    RecordingProgress progress;
};

TEST_F(NationalBuild, FiveRowsOfTwoCitiesGiveTwoEntriesAndTheClosingOne) {
    const auto result = build(row(u"0600001", u"北海道", u"中央区", u"北一条西") +
                              row(u"0600002", u"北海道", u"中央区", u"北二条西") +
                              row(u"0600003", u"北海道", u"中央区", u"北三条西") +
                              row(u"0010001", u"北海道", u"北区", u"北一条") +
                              row(u"0010002", u"北海道", u"北区", u"北二条"));

    ASSERT_EQ(result.result, BuildResult::Completed) << result.detail;
    EXPECT_EQ(place.bytes("ZIPID1.txt"), cp932(u"北海道中央区\r\n中央区\r\n 1 \r\n"
                                               u"北海道北区\r\n北区\r\n 4 \r\n"
                                               u"\r\n\r\n 6 \r\n"));
    EXPECT_EQ(place.bytes("ZIPCODE.txt").size(), 5u * 70);
    const auto& table = filest->indexTable;
    EXPECT_EQ(table.Count, 3);
    EXPECT_EQ(table.Key[1], u"北海道北区");
    EXPECT_EQ(table.City[1], u"北区");
    EXPECT_EQ(table.FirstRecord[1], 4);
    EXPECT_EQ(table.FirstRecord[2], 6);
    EXPECT_EQ(progress.events, (std::vector<std::string>{
                                   "range 0 150000", "value 1", "value 4", "range 0 2", "value 0",
                                   "value 1", "value 2", "range 0 150000", "value 1", "value 2",
                                   "value 3", "value 4", "value 5", "value 150000"}));
    EXPECT_EQ(place.listing(), "TableSources.txt\nZIPCODE.txt\nZIPID1.txt\nZipCode1.txt\n");
}

TEST_F(NationalBuild, WorkedExampleGivesItsRecordEntryAndLine) {
    const auto result = build(row(u"1000001", u"東京都", u"港区", u"芝") +
                              row(u"1234567", u"東京都", u"千代田区", u"丸の内"));

    ASSERT_EQ(result.result, BuildResult::Completed) << result.detail;
    const auto address = cp932(u"東京都千代田区丸の内");
    ASSERT_EQ(address.size(), 20u);
    EXPECT_EQ(place.bytes("ZIPCODE.txt").substr(70), "1234567   " + address + std::string(40, ' '));
    EXPECT_EQ(place.bytes("ZipCode1.txt"), cp932(u"100-0001　　東京都港区芝\r\n"
                                                 u"123-4567　　東京都千代田区丸の内\r\n"));
    EXPECT_EQ(filest->indexTable.Key[1], u"東京都千代田区");
    EXPECT_EQ(filest->indexTable.City[1], u"千代田区");
    EXPECT_EQ(filest->indexTable.FirstRecord[1], 2);
}

struct StreamCase {
    const char* name;
    std::u16string csv;
    std::u16string lines; // ZipCode1.txt
    std::u16string index; // ZIPID1.txt
};

class NationalStream : public NationalBuild, public ::testing::WithParamInterface<StreamCase> {};

TEST_P(NationalStream, RowsAreCountedOverTheItemStream) {
    const auto& example = GetParam();
    const auto result = build(example.csv);

    ASSERT_EQ(result.result, BuildResult::Completed) << result.detail;
    EXPECT_EQ(place.bytes("ZipCode1.txt"), cp932(example.lines));
    EXPECT_EQ(place.bytes("ZIPID1.txt"), cp932(example.index));
    EXPECT_EQ(place.bytes("ZIPCODE.txt").size(),
              70 * static_cast<std::size_t>(
                       std::count(example.lines.begin(), example.lines.end(), u'\n')));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NationalStream,
    ::testing::Values(StreamCase{"RowSplitOverTwoLinesIsOneRow",
                                 u"13101,2,1000001,4,5,6,東京都,港区\r\n芝,0,0,0,0,0,0\r\n",
                                 u"100-0001　　東京都港区芝\r\n",
                                 u"東京都港区\r\n港区\r\n 1 \r\n\r\n\r\n 2 \r\n"},
                      StreamCase{"CityInterruptedByAnotherGetsTwoEntries",
                                 row(u"1000001", u"東京都", u"港区", u"芝") +
                                     row(u"1000002", u"東京都", u"北区", u"王子") +
                                     row(u"1000003", u"東京都", u"港区", u"白金"),
                                 u"100-0001　　東京都港区芝\r\n100-0002　　東京都北区王子\r\n"
                                 u"100-0003　　東京都港区白金\r\n",
                                 u"東京都港区\r\n港区\r\n 1 \r\n東京都北区\r\n北区\r\n 2 \r\n"
                                 u"東京都港区\r\n港区\r\n 3 \r\n\r\n\r\n 4 \r\n"},
                      StreamCase{"ContinuedTownNameIsAnotherRecordOfTheSameEntry",
                                 row(u"0600042", u"北海道", u"中央区", u"大通西（１～１９丁目）") +
                                     row(u"0600042", u"北海道", u"中央区", u"続き）"),
                                 u"060-0042　　北海道中央区大通西（１～１９丁目）\r\n"
                                 u"060-0042　　北海道中央区続き）\r\n",
                                 u"北海道中央区\r\n中央区\r\n 1 \r\n\r\n\r\n 3 \r\n"},
                      StreamCase{"EmptyCityOpensAnEntryOfThePrefecture",
                                 row(u"1000001", u"東京都", u"", u"芝"),
                                 u"100-0001　　東京都芝\r\n",
                                 u"東京都\r\n\r\n 1 \r\n\r\n\r\n 2 \r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct CutCase {
    const char* name;
    std::u16string town;
    std::string storedAddress; // the 60 bytes of the record's address field
};

class NationalCut : public NationalBuild, public ::testing::WithParamInterface<CutCase> {};

TEST_P(NationalCut, AddressIsCutToSixtyBytesInTheRecordOnly) {
    const auto& example = GetParam();
    const auto result = build(row(u"1000001", u"東京都", u"", example.town));

    ASSERT_EQ(result.result, BuildResult::Completed) << result.detail;
    EXPECT_EQ(place.bytes("ZIPCODE.txt"), "1000001   " + example.storedAddress);
    EXPECT_EQ(place.bytes("ZipCode1.txt"), cp932(u"100-0001　　東京都" + example.town + u"\r\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NationalCut,
    ::testing::Values(CutCase{"FitsExactly", std::u16string(27, u'あ'),
                              cp932(u"東京都" + std::u16string(27, u'あ'))},
                      CutCase{"CharacterAcrossTheEndIsDropped", u"z" + std::u16string(27, u'あ'),
                              cp932(u"東京都z" + std::u16string(26, u'あ')) + " "},
                      CutCase{"LongSingleByteText", std::u16string(80, u'ｱ'),
                              cp932(u"東京都" + std::u16string(54, u'ｱ'))}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(NationalBuild, NoQuestionWhenTheRecordFileIsEmpty) {
    writeBytes(place.dataDir / "ZIPCODE.txt", "");
    writeBytes(place.dataDir / "ZIPID1.txt", "old");

    EXPECT_EQ(build(row(u"1000001", u"東京都", u"港区", u"芝")).result, BuildResult::Completed);
    EXPECT_TRUE(ask.questions.empty());
    EXPECT_EQ(place.bytes("ZIPID1.txt"), cp932(u"東京都港区\r\n港区\r\n 1 \r\n\r\n\r\n 2 \r\n"));
}

struct AnswerCase {
    OverwriteAnswer answer;
    BuildResult result;
};

class NationalOverwrite : public NationalBuild, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(NationalOverwrite, QuestionIsAskedBeforeAnythingIsWritten) {
    ASSERT_EQ(build(row(u"1000001", u"東京都", u"港区", u"芝")).result, BuildResult::Completed);
    const auto before = state();
    writeCp932(place.csv, row(u"1000002", u"東京都", u"北区", u"王子"));

    const auto outcome = build(GetParam().answer);

    EXPECT_EQ(outcome.result, GetParam().result);
    EXPECT_EQ(ask.questions, std::vector<std::u16string>{BuildText::NationalQuestion});
    if (GetParam().answer == OverwriteAnswer::Yes) {
        EXPECT_EQ(place.bytes("ZipCode1.txt"), cp932(u"100-0002　　東京都北区王子\r\n"));
        EXPECT_EQ(filest->indexTable.Key[0], u"東京都北区");
    } else {
        EXPECT_EQ(state(), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, NationalOverwrite,
                         ::testing::Values(AnswerCase{OverwriteAnswer::Yes, BuildResult::Completed},
                                           AnswerCase{OverwriteAnswer::No, BuildResult::Declined},
                                           AnswerCase{OverwriteAnswer::Cancel,
                                                      BuildResult::Cancelled}));

TEST_F(NationalBuild, SecondBuildWritesTheSameFilesAndIndex) {
    writeCp932(place.csv, row(u"1000001", u"東京都", u"港区", u"芝") +
                              row(u"1000002", u"東京都", u"北区", u"王子"));
    ASSERT_EQ(build().result, BuildResult::Completed);
    const auto first = state();

    ASSERT_EQ(build().result, BuildResult::Completed);

    EXPECT_EQ(state(), first);
}

TEST_F(NationalBuild, RefillKeepsTheSlotsBeyondTheNewEntries) {
    filest->indexTable.Key[5] = u"earlier";
    filest->indexTable.FirstRecord[5] = 77;

    ASSERT_EQ(build(row(u"1000001", u"東京都", u"港区", u"芝")).result, BuildResult::Completed);

    EXPECT_EQ(filest->indexTable.Count, 2);
    EXPECT_EQ(filest->indexTable.Key[5], u"earlier");
    EXPECT_EQ(filest->indexTable.FirstRecord[5], 77);
}

TEST_F(NationalBuild, FilesSpelledInAnotherCaseAreReplacedInPlace) {
    writeBytes(place.dataDir / "zipcode.txt", std::string(70, 'x'));
    writeBytes(place.dataDir / "zipid1.TXT", "old index");

    ASSERT_EQ(build(row(u"1000001", u"東京都", u"港区", u"芝")).result, BuildResult::Completed);

    EXPECT_EQ(ask.questions.size(), 1u);
    const auto names = place.listing();
    EXPECT_EQ(std::count(names.begin(), names.end(), '\n'), 4); // with the source record
    EXPECT_EQ(readBytes(resolveTablePath(place.dataDir, "ZIPID1.txt")),
              cp932(u"東京都港区\r\n港区\r\n 1 \r\n\r\n\r\n 2 \r\n"));
}

TEST_F(NationalBuild, LargestIndexThatStartUpCanLoad) {
    ASSERT_EQ(build(rowsOfDistinctCities(32766)).result, BuildResult::Completed);
    EXPECT_EQ(filest->indexTable.Count, 32767);
    EXPECT_EQ(filest->indexTable.FirstRecord[32766], 32767);
}

// Each failure comes after a completed build, which it must leave exactly as it was.
struct FailureCase {
    const char* name;
    void (*arrange)(const BuildPlace& place);
    bool asks = true; // whether the overwrite question comes before the failure
    BuildResult result = BuildResult::Failed;
    const char* detail = ""; // what the outcome's detail says
};

class NationalFailure : public NationalBuild, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(NationalFailure, LeavesTheFilesAndTheIndexAsTheyWere) {
    ASSERT_EQ(build(row(u"1000001", u"東京都", u"港区", u"芝") +
                    row(u"1000002", u"東京都", u"北区", u"王子"))
                  .result,
              BuildResult::Completed);
    writeCp932(place.csv, row(u"1000003", u"東京都", u"港区", u"白金"));
    GetParam().arrange(place);
    const auto before = state();

    const auto outcome = build();

    EXPECT_EQ(outcome.result, GetParam().result);
    EXPECT_FALSE(outcome.detail.empty());
    EXPECT_NE(outcome.detail.find(GetParam().detail), std::string::npos) << outcome.detail;
    EXPECT_EQ(ask.questions.size(), GetParam().asks ? 1u : 0u);
    EXPECT_EQ(state(), before);
}

void writeCsv(const BuildPlace& place, std::u16string_view csv) {
    writeCp932(place.csv, csv);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NationalFailure,
    ::testing::Values(
        FailureCase{"MissingCsv", [](const BuildPlace& place) { fs::remove(place.csv); }, false},
        FailureCase{"ItemTooLongHalfWay",
                    [](const BuildPlace& place) {
                        writeCsv(place, row(u"1000003", u"東京都", u"港区", u"芝") +
                                            std::u16string(ItemReader::maxItemLength + 1, u'a'));
                    }},
        FailureCase{"RunCountOverflows",
                    [](const BuildPlace& place) { writeCsv(place, rowsOfDistinctCities(32768)); }},
        FailureCase{"EntryCountWithClosingEntryOverflows",
                    [](const BuildPlace& place) { writeCsv(place, rowsOfDistinctCities(32767)); }},
        FailureCase{"LastTableIsADirectory",
                    [](const BuildPlace& place) {
                        fs::remove(place.dataDir / "ZipCode1.txt");
                        fs::create_directories(place.dataDir / "ZipCode1.txt" / "blocked");
                    }},
        // Files that are not KEN_ALL.CSV are refused, however far they get.
        FailureCase{"EmptyFile", [](const BuildPlace& place) { writeCsv(place, u""); }, true,
                    BuildResult::Refused, "input.csv: the file holds no rows"},
        FailureCase{"TrailingIncompleteRow",
                    [](const BuildPlace& place) {
                        writeCsv(place, row(u"1000001", u"東京都", u"港区", u"芝") +
                                            u"13101,2,3,4,5,6,東京都,港区,9\r\n");
                    },
                    true, BuildResult::Refused, "row 2 ends after 9 of 15 items"},
        FailureCase{"ShortPostalCode",
                    [](const BuildPlace& place) {
                        writeCsv(place, row(u"1000001", u"東京都", u"港区", u"芝") +
                                            row(u"12345", u"東京都", u"港区", u"芝"));
                    },
                    true, BuildResult::Refused,
                    "row 2: column 3 is not a seven-digit postal code: \"12345\""},
        FailureCase{
            "NoPrefecture",
            [](const BuildPlace& place) { writeCsv(place, row(u"1000001", u"", u"", u"芝")); },
            true, BuildResult::Refused, "row 1: column 7 is not a prefecture"},
        FailureCase{"OfficeFile",
                    [](const BuildPlace& place) {
                        writeCsv(place,
                                 u"13101,\"ﾃｽﾄ\",\"試験\",\"東京都\",\"千代田区\",\"丸の内\","
                                 u"\"１\",\"1000001\",\"100  \",\"千代田\",0,0,0\r\n"
                                 u"13101,\"ﾃｽﾄ\",\"試験\",\"東京都\",\"千代田区\",\"丸の内\","
                                 u"\"１\",\"1000002\",\"100  \",\"千代田\",0,0,0\r\n");
                    },
                    true, BuildResult::Refused, "row 1: column 3 is not a seven-digit"},
        FailureCase{"BinaryFile",
                    [](const BuildPlace& place) {
                        writeBytes(place.csv, std::string("\x7F"
                                                          "ELF\x02\x01\x01\0\0\0,,\xFF\xFE",
                                                          14) +
                                                  std::string(200, '\0'));
                    },
                    true, BuildResult::Refused, "input.csv: "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(NationalBuild, ReadOnlyDirectoryFailsAndChangesNothing) {
    ASSERT_EQ(build(row(u"1000001", u"東京都", u"港区", u"芝")).result, BuildResult::Completed);
    const auto before = state();
    writeCp932(place.csv, row(u"1000003", u"東京都", u"港区", u"白金"));
    fs::permissions(place.dataDir, fs::perms::owner_read | fs::perms::owner_exec);
    if (std::ofstream(place.dataDir / "probe").is_open()) {
        fs::remove(place.dataDir / "probe");
        fs::permissions(place.dataDir, fs::perms::owner_all);
        GTEST_SKIP() << "permissions do not restrict this user";
    }

    const auto outcome = build();
    fs::permissions(place.dataDir, fs::perms::owner_all);

    EXPECT_EQ(outcome.result, BuildResult::Failed);
    EXPECT_EQ(state(), before);
}

} // namespace
} // namespace mervasto::test

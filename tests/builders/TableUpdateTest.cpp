#include "builders/TableUpdate.h"
#include "BuildTestSupport.h"
#include "MonthOfData.h"
#include "builders/NationalTableBuild.h"
#include "builders/OfficeTableBuild.h"
#include "builders/TableRevert.h"
#include "data/PreviousTables.h"
#include "data/TableSources.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace mervasto::test {
namespace {

const MonthOfData September{codeRange(1000001, 100), codeRange(1008001, 20), {}};

// The tables as they stand: the four tables and the record of their sources.
FileContents tables(const fs::path& dir) {
    return filesIn(dir);
}

FileContents withoutRecord(FileContents files) {
    files.erase("TableSources.txt");
    return files;
}

// The tables that the builders make of `month` in a directory of their own.
FileContents builtFrom(const MonthOfData& month) {
    TempDir scratch;
    month.writeZips(scratch.path());
    const fs::path dataDir = scratch / "data";
    RecordingProgress progress;
    const auto yes = [](const std::u16string&) { return OverwriteAnswer::Yes; };
    EXPECT_EQ(buildNationalTables(scratch / "ken_all.zip", dataDir, yes, progress).result,
              BuildResult::Completed);
    EXPECT_EQ(buildOfficeTable(scratch / "jigyosyo.zip", dataDir, yes, progress).result,
              BuildResult::Completed);
    return withoutRecord(filesIn(dataDir));
}

class TableUpdate : public ::testing::Test {
protected:
    TableUpdate() { installed = update(September).result; }

    UpdateOutcome update(const MonthOfData& month, bool confirm = false) {
        const fs::path files = place.root / "download";
        fs::create_directories(files);
        month.writeZips(files);
        return update({files / "ken_all.zip", files / "jigyosyo.zip"}, confirm);
    }

    UpdateOutcome update(const UpdateFiles& files, bool confirm = false) {
        shrinkAsked = false;
        return updateTables(
            files, place.dataDir,
            [&](const ChangeReport&) {
                shrinkAsked = true;
                return confirm;
            },
            progress);
    }

    BuildPlace place;
    RecordingProgress progress;
    UpdateResult installed;
    bool shrinkAsked = false;
};

TEST_F(TableUpdate, ReplacesBothSetsWithWhatTheBuildersMakeAndReportsTheChanges) {
    ASSERT_EQ(installed, UpdateResult::Completed);
    MonthOfData october = September;
    october.nationalCodes = codeRange(1000011, 93);   // 10 codes gone, 3 new
    october.officeCodes = codeRange(1008003, 20);     // 2 offices gone, 2 new
    october.renamedTowns = {{1000020, u"町1000021"}}; // an address that changes its code

    const auto outcome = update(october);

    ASSERT_EQ(outcome.result, UpdateResult::Completed) << outcome.detail;
    EXPECT_EQ(withoutRecord(tables(place.dataDir)), builtFrom(october));
    EXPECT_EQ(outcome.report.codesRemoved.count, 10u);
    EXPECT_EQ(outcome.report.codesAdded.count, 3u);
    EXPECT_EQ(outcome.report.addressesRecoded.count, 1u);
    EXPECT_EQ(outcome.report.officesAdded.count, 2u);
    EXPECT_EQ(outcome.report.officesRemoved.count, 2u);
    EXPECT_EQ(outcome.report.codesRemoved.first.front(), "100-0001 東京都千代田区町1000001");
    EXPECT_EQ(outcome.report.addressesRecoded.first.front(),
              "東京都千代田区町1000021 100-0021 → 100-0020 100-0021");
    EXPECT_FALSE(shrinkAsked);
    EXPECT_EQ(listFiles(place.dataDir),
              "TableSources.txt\nZIPCODE.txt\nZIPID1.txt\nZipCode1.txt\nZipCode2.txt\n");
}

TEST_F(TableUpdate, TheSameMonthAgainChangesNothingNotEvenTheRecord) {
    const auto before = tables(place.dataDir);
    const auto outcome = update(September);
    EXPECT_EQ(outcome.result, UpdateResult::Unchanged);
    EXPECT_TRUE(outcome.report.empty());
    EXPECT_EQ(tables(place.dataDir), before);
}

TEST_F(TableUpdate, AListCutByMoreThanATenthIsReplacedOnlyWhenConfirmed) {
    MonthOfData cut = September;
    cut.nationalCodes = codeRange(1000001, 88); // 88% of the lines
    const auto before = tables(place.dataDir);

    EXPECT_EQ(update(cut, false).result, UpdateResult::Declined);
    EXPECT_TRUE(shrinkAsked);
    EXPECT_EQ(tables(place.dataDir), before);

    EXPECT_EQ(update(cut, true).result, UpdateResult::Completed);
    EXPECT_EQ(withoutRecord(tables(place.dataDir)), builtFrom(cut));
}

struct BadDownload {
    const char* name;
    void (*spoil)(const fs::path& national, const fs::path& offices);
    UpdateResult result;
};

const BadDownload BadDownloads[] = {
    {"HtmlPageForTheNationalFile",
     [](const fs::path& national, const fs::path&) {
         writeBytes(national, "<!DOCTYPE html><html><body>404</body></html>");
     },
     UpdateResult::Refused},
    {"CutShortZip",
     [](const fs::path& national, const fs::path&) {
         const std::string bytes = readBytes(national);
         writeBytes(national, bytes.substr(0, bytes.size() / 2));
     },
     UpdateResult::Refused},
    {"OfficeFileWhereTheNationalOneBelongs",
     [](const fs::path& national, const fs::path& offices) {
         writeBytes(national, readBytes(offices));
     },
     UpdateResult::Refused},
    {"MissingOfficeFile", [](const fs::path&, const fs::path& offices) { fs::remove(offices); },
     UpdateResult::Failed},
};

class BadUpdate : public TableUpdate, public ::testing::WithParamInterface<BadDownload> {};

TEST_P(BadUpdate, LeavesTheTablesByteForByte) {
    const auto before = tables(place.dataDir);
    const fs::path files = place.root / "bad";
    fs::create_directories(files);
    MonthOfData october = September;
    october.nationalCodes = codeRange(1000011, 93);
    october.writeZips(files);
    GetParam().spoil(files / "ken_all.zip", files / "jigyosyo.zip");

    const auto outcome = update({files / "ken_all.zip", files / "jigyosyo.zip"});

    EXPECT_NE(outcome.result, UpdateResult::Completed);
    EXPECT_FALSE(outcome.detail.empty());
    EXPECT_EQ(tables(place.dataDir), before);
    EXPECT_EQ(listDirectory(place.dataDir), listFiles(place.dataDir)) << "a directory was left";
}

INSTANTIATE_TEST_SUITE_P(Downloads, BadUpdate, ::testing::ValuesIn(BadDownloads),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TableUpdate, RevertBringsBackThePreviousSetAndASecondRevertUndoesIt) {
    EXPECT_FALSE(canRevertTables(place.dataDir)) << "the first tables replaced nothing";
    const auto september = tables(place.dataDir);
    MonthOfData october = September;
    october.nationalCodes = codeRange(1000011, 93);
    ASSERT_EQ(update(october).result, UpdateResult::Completed);
    const auto octoberTables = tables(place.dataDir);

    ASSERT_TRUE(canRevertTables(place.dataDir));
    ASSERT_EQ(revertTables(place.dataDir).result, BuildResult::Completed);
    EXPECT_EQ(withoutRecord(tables(place.dataDir)), withoutRecord(september));
    EXPECT_EQ(readTableSources(place.dataDir).national,
              parseTableSources(september.at("TableSources.txt")).national);

    ASSERT_EQ(revertTables(place.dataDir).result, BuildResult::Completed);
    EXPECT_EQ(withoutRecord(tables(place.dataDir)), withoutRecord(octoberTables));
}

TEST(TableRevert, NothingToGoBackToIsRefused) {
    BuildPlace place;
    EXPECT_FALSE(canRevertTables(place.dataDir));
    EXPECT_EQ(revertTables(place.dataDir).result, BuildResult::Refused);
    EXPECT_EQ(place.listing(), "");
}

TEST(TableRevert, ASetKeptBeforeALaterReplacementIsNoLongerOffered) {
    BuildPlace place;
    writeCp932(place.csv, u"13101,,1000001,,,,東京都,港区,芝,0,0,0,0,0,0\r\n");
    RecordingProgress progress;
    const auto yes = [](const std::u16string&) { return OverwriteAnswer::Yes; };
    for (int build = 0; build < 2; ++build)
        ASSERT_EQ(buildNationalTables(place.csv, place.dataDir, yes, progress).result,
                  BuildResult::Completed);
    ASSERT_TRUE(canRevertTables(place.dataDir));
    // A replacement that keeps nothing: the office table did not exist before.
    writeCp932(place.csv, u"13101,,（株）見本,東京都,,,,1000001,,,0,0,0\r\n");
    ASSERT_EQ(buildOfficeTable(place.csv, place.dataDir, yes, progress).result,
              BuildResult::Completed);
    EXPECT_FALSE(canRevertTables(place.dataDir));
}

} // namespace
} // namespace mervasto::test

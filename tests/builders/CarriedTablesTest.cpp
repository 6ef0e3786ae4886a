#include "builders/CarriedTables.h"

#include "BuildTestSupport.h"
#include "TestZip.h"
#include "builders/NationalTableBuild.h"
#include "data/TableStamp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mervasto::test {
namespace {

namespace fs = std::filesystem;

const LocalDateTime September{2025, 9, 30, 0, 0, 0};
const LocalDateTime October{2025, 10, 31, 0, 0, 0};

// An installation's carried data beside its program, and a table directory.
struct Installation {
    TempDir root;
    fs::path programDir = root / "program";
    fs::path dataDir = root / "tables";

    explicit Installation(const LocalDateTime& carried) { writeCarriedData(programDir, carried); }

    std::vector<TableSet> due() const {
        std::vector<TableSet> sets;
        for (const auto& build : carriedBuildsDue(dataDir, findCarriedData(programDir)))
            sets.push_back(build.set);
        return sets;
    }

    void buildDue() const {
        RecordingProgress progress;
        for (const auto& build : carriedBuildsDue(dataDir, findCarriedData(programDir)))
            ASSERT_EQ(buildFromCarriedData(build, dataDir, progress).result,
                      BuildResult::Completed);
    }
};

const std::vector<TableSet> Both{TableSet::National, TableSet::Offices};
const std::vector<TableSet> None{};

TEST(CarriedTables, FirstStartBuildsBothSetsIntoAnEmptyDirectory) {
    const Installation installation(September);
    EXPECT_EQ(installation.due(), Both);
    installation.buildDue();

    for (const auto table : {"ZIPCODE.txt", "ZIPID1.txt", "ZipCode1.txt", "ZipCode2.txt"})
        EXPECT_TRUE(fs::is_regular_file(installation.dataDir / table)) << table;
    const SetSource carried{DataOrigin::Carried, September};
    EXPECT_EQ(readTableSources(installation.dataDir), (TableSources{carried, carried, 2}));
    EXPECT_EQ(installation.due(), None);
}

struct DueCase {
    const char* name;
    std::vector<const char*> removed; // tables taken away after the first start
    LocalDateTime carriedLater;       // what the installation carries afterwards
    std::vector<TableSet> due;
};

void PrintTo(const DueCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class CarriedTablesDue : public ::testing::TestWithParam<DueCase> {};

TEST_P(CarriedTablesDue, AfterTheFirstStart) {
    Installation installation(September);
    installation.buildDue();
    for (const auto table : GetParam().removed)
        fs::remove(installation.dataDir / table);
    writeCarriedData(installation.programDir, GetParam().carriedLater);
    EXPECT_EQ(installation.due(), GetParam().due);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CarriedTablesDue,
    ::testing::Values(DueCase{"SameData", {}, September, None},
                      DueCase{"NewerDataAfterAnUpgrade", {}, October, Both},
                      DueCase{"OlderDataAfterADowngrade", {}, {2025, 8, 31}, None},
                      DueCase{"IndexMissing", {"ZIPID1.txt"}, September, {TableSet::National}},
                      DueCase{"OfficesMissing", {"ZipCode2.txt"}, September, {TableSet::Offices}}),
    [](const auto& info) { return std::string(info.param.name); });

// The user's own tables stay, whatever the installation carries; so do tables whose origin
// no record tells (built by a version that kept none).
TEST(CarriedTables, OwnTablesAreNeverReplaced) {
    Installation installation(September);
    RecordingProgress progress;
    ScriptedAsk ask;
    ASSERT_EQ(buildNationalTables(installation.programDir / "ken_all.zip", installation.dataDir,
                                  ask.callback(), progress)
                  .result,
              BuildResult::Completed);
    writeCarriedData(installation.programDir, October);
    EXPECT_EQ(installation.due(), std::vector{TableSet::Offices});
    EXPECT_EQ(readTableSources(installation.dataDir).national,
              (SetSource{DataOrigin::OwnFile, September}));

    fs::remove(installation.dataDir / "TableSources.txt");
    installation.buildDue();
    fs::remove(installation.dataDir / "TableSources.txt");
    EXPECT_EQ(installation.due(), None);
}

TEST(CarriedTables, NothingIsDueWithoutCarriedData) {
    const TempDir root;
    EXPECT_TRUE(carriedBuildsDue(root / "tables", findCarriedData(root.path())).empty());
}

// The table directory cannot be made (a file stands where it should be): the build fails,
// saying why, and leaves nothing behind.
TEST(CarriedTables, FailedBuildSaysWhy) {
    Installation installation(September);
    writeBytes(installation.dataDir, "a file");
    const auto due =
        carriedBuildsDue(installation.dataDir, findCarriedData(installation.programDir));
    ASSERT_EQ(due.size(), 2U);
    RecordingProgress progress;
    const BuildOutcome outcome = buildFromCarriedData(due.front(), installation.dataDir, progress);
    EXPECT_EQ(outcome.result, BuildResult::Failed);
    EXPECT_FALSE(outcome.detail.empty());
    EXPECT_EQ(readBytes(installation.dataDir), "a file");
}

// Two replacements with data of the same date: the date stays, the index stamp changes.
TEST(CarriedTables, EveryReplacementChangesTheStamp) {
    Installation installation(September);
    installation.buildDue();
    const auto first = indexFileStamp(installation.dataDir);
    RecordingProgress progress;
    ScriptedAsk ask;
    for (int replacement = 0; replacement < 2; ++replacement) {
        const auto before = indexFileStamp(installation.dataDir);
        ASSERT_EQ(buildNationalTables(installation.programDir / "ken_all.zip", installation.dataDir,
                                      ask.callback(), progress)
                      .result,
                  BuildResult::Completed);
        const auto after = indexFileStamp(installation.dataDir);
        ASSERT_TRUE(after);
        EXPECT_NE(after, before);
        EXPECT_EQ(after->size, first->size);
        EXPECT_EQ(readTableSources(installation.dataDir).national->dataDate, September);
    }
    EXPECT_EQ(readTableSources(installation.dataDir).generation, 4U);
}

} // namespace
} // namespace mervasto::test

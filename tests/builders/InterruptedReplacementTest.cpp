// A build stopped at every file step in turn, by death or by a refused step: after the next
// start the directory holds exactly the old or exactly the new tables and nothing else.

#include "BuildTestSupport.h"
#include "SteppingFileOperations.h"
#include "builders/NationalTableBuild.h"
#include "builders/OfficeTableBuild.h"
#include "data/PreviousTables.h"
#include "data/TableCommit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>

namespace fs = std::filesystem;

namespace mervasto::test {
namespace {

using Tables = FileContents;

Tables tablesIn(const fs::path& dir) {
    return filesIn(dir);
}

// Once the new set is in place, the set offered for a revert is exactly the old one.
void expectPreviousSetIsTheOld(const fs::path& dataDir, const Tables& old) {
    const auto previous = findPreviousTables(dataDir);
    if (!previous)
        return;
    Tables kept = filesIn(previous->dir);
    kept.erase(std::string(PreviousTablesList));
    EXPECT_EQ(kept, old);
}

void writeTables(const fs::path& dir, const Tables& tables) {
    for (const auto& [name, bytes] : tables)
        writeBytes(dir / name, bytes);
}

const std::u16string NationalCsv = u"13101,,1000001,,,,東京都,港区,芝,0,0,0,0,0,0\r\n13101,,"
                                   u"1000002,,,,東京都,港区,芝浦,0,0,0,0,0,0\r\n"
                                   u"13101,,1234567,,,,東京都,千代田区,丸の内,0,0,0,0,0,0\r\n";
const std::u16string OfficeCsv = u"13101,,（株）見本,東京都,,,,1000001,,,0,0,0\r\n";

struct Scenario {
    const char* name;
    bool national;
    Tables old; // the tables before the build
};

const Scenario Scenarios[] = {
    {"NationalOverOldTables",
     true,
     {{"ZIPCODE.TXT", std::string(70, 'o')}, {"ZIPID1.txt", "old index"}, {"ZipCode1.txt", "old"}}},
    {"NationalIntoEmptyDirectory", true, {}},
    {"OfficesOverOldTable", false, {{"ZipCode2.txt", "old offices"}}},
};

// Runs the scenario's build with `operations` in place; true when it completed.
bool build(const BuildPlace& place, const Scenario& scenario, FileOperations& operations) {
    const ScopedFileOperations scope(operations);
    RecordingProgress progress;
    ScriptedAsk yes;
    const auto index = std::make_unique<IndexTable>();
    const BuildOutcome outcome =
        scenario.national
            ? buildNationalTables(place.csv, place.dataDir, *index, yes.callback(), progress)
            : buildOfficeTable(place.csv, place.dataDir, yes.callback(), progress);
    return outcome.result == BuildResult::Completed;
}

// The input, always of the same time stamp: the source record holds the data's date, and every
// build of a scenario must write the same record.
void writeInput(const BuildPlace& place, const Scenario& scenario) {
    writeCp932(place.csv, scenario.national ? NationalCsv : OfficeCsv);
    // A time every platform's file system can hold, the same for every build of the input.
    const std::chrono::sys_seconds dataDay{std::chrono::sys_days{std::chrono::year{2025} / 9 / 30}};
    fs::last_write_time(place.csv, std::chrono::file_clock::from_sys(dataDay));
}

// The tables that an undisturbed build of the scenario makes, and its file steps.
std::pair<Tables, std::vector<std::string>> undisturbedBuild(const Scenario& scenario) {
    BuildPlace place;
    writeInput(place, scenario);
    writeTables(place.dataDir, scenario.old);
    SteppingFileOperations steps;
    EXPECT_TRUE(build(place, scenario, steps));
    return {tablesIn(place.dataDir), steps.steps()};
}

class InterruptedBuild : public testing::TestWithParam<Scenario> {};

TEST_P(InterruptedBuild, EveryStepLeavesTheOldOrTheNewSetAfterTheNextStart) {
    const Scenario& scenario = GetParam();
    const auto [newTables, steps] = undisturbedBuild(scenario);
    ASSERT_NE(newTables, scenario.old);

    for (const bool dies : {true, false}) {
        bool newSetSeen = false;
        for (int stop = 1; stop <= static_cast<int>(steps.size()); ++stop) {
            SCOPED_TRACE((dies ? "dies at " : "refused at ") + std::to_string(stop) + ": " +
                         steps[stop - 1]);
            BuildPlace place;
            writeInput(place, scenario);
            writeTables(place.dataDir, scenario.old);
            std::unique_ptr<SteppingFileOperations> operations;
            if (dies)
                operations = std::make_unique<DyingFileOperations>(stop);
            else
                operations = std::make_unique<FailingFileOperations>(stop);
            const bool completed = build(place, scenario, *operations);

            recoverInterruptedCommit(place.dataDir);
            const Tables after = tablesIn(place.dataDir);
            EXPECT_TRUE(after == scenario.old || after == newTables) << place.listing();
            expectPreviousSetIsTheOld(place.dataDir, scenario.old);
            if (!dies) {
                EXPECT_EQ(completed, after == newTables);
                continue;
            }
            // Once the point of no return is passed, every later death keeps the new set.
            EXPECT_FALSE(newSetSeen && after == scenario.old);
            newSetSeen = newSetSeen || after == newTables;
        }
        if (dies) {
            EXPECT_TRUE(newSetSeen);
        }
    }
}

// A start looks for a journal, finds none, and goes on to remove the temporaries; meanwhile a
// build writes its journal, replaces some tables and dies. What the start removes under the
// lock must not be what the journal still needs.
TEST_P(InterruptedBuild, AStartThatLookedBeforeTheDeathKeepsWhatTheJournalNeeds) {
    const Scenario& scenario = GetParam();
    const auto [newTables, steps] = undisturbedBuild(scenario);
    for (int stop = 1; stop <= static_cast<int>(steps.size()); ++stop) {
        SCOPED_TRACE("dies at " + std::to_string(stop) + ": " + steps[stop - 1]);
        BuildPlace place;
        writeInput(place, scenario);
        writeTables(place.dataDir, scenario.old);
        DyingFileOperations dying(stop);
        build(place, scenario, dying);

        removeLeftoverTemporaries(place.dataDir); // the start that found no journal
        recoverInterruptedCommit(place.dataDir);  // and the one after it
        const Tables after = tablesIn(place.dataDir);
        EXPECT_TRUE(after == scenario.old || after == newTables) << place.listing();
    }
}

INSTANTIATE_TEST_SUITE_P(Builds, InterruptedBuild, testing::ValuesIn(Scenarios),
                         [](const auto& info) { return std::string(info.param.name); });

// What must be on the disk before each step that relies on it: every new file before the
// journal that makes it count, the journal before its rename, the renamed journal before the
// first table is replaced, the replaced tables before the journal goes.
TEST(DurableReplacement, SyncsComeBeforeWhatReliesOnThem) {
    const auto [tables, steps] = undisturbedBuild(Scenarios[0]);
    const auto at = [&steps](const std::string& step) {
        const auto found = std::find(steps.begin(), steps.end(), step);
        EXPECT_NE(found, steps.end()) << step;
        return found - steps.begin();
    };
    const auto lastBefore = [&steps](const std::string& step, std::ptrdiff_t end) {
        const auto found = std::find(steps.rbegin() + (steps.size() - end), steps.rend(), step);
        return found == steps.rend() ? -1 : steps.rend() - found - 1;
    };
    const auto journalInPlace = at("rename ..mervasto-commit.#.tmp");
    const auto firstTableRename = at("rename .ZIPCODE.TXT.#.tmp");
    const auto journalRemoved = at("remove .mervasto-commit");
    for (const char* table : {".ZIPCODE.TXT.#.tmp", ".ZIPID1.txt.#.tmp", ".ZipCode1.txt.#.tmp"})
        EXPECT_LT(at(std::string("sync ") + table), journalInPlace) << table;
    EXPECT_LT(at("sync ..mervasto-commit.#.tmp"), journalInPlace);
    EXPECT_GT(lastBefore("syncdir data", firstTableRename), journalInPlace);
    EXPECT_GT(lastBefore("syncdir data", journalRemoved), at("rename .ZipCode1.txt.#.tmp"));
    EXPECT_EQ(steps.back(), "syncdir data");
}

} // namespace
} // namespace mervasto::test

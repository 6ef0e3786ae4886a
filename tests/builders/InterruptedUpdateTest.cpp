// An update and a revert stopped at every file step in turn, by death or by a refused step:
// after the next start the directory holds exactly the tables before or exactly the tables
// after, and besides them at most the kept set, never a working directory left behind.

#include "BuildTestSupport.h"
#include "MonthOfData.h"
#include "SteppingFileOperations.h"
#include "builders/TableRevert.h"
#include "builders/TableUpdate.h"
#include "data/PreviousTables.h"
#include "data/TableCommit.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace fs = std::filesystem;

namespace mervasto::test {
namespace {

const MonthOfData September{codeRange(1000001, 30), codeRange(1008001, 3), {}};
const MonthOfData October{codeRange(1000002, 30), codeRange(1008002, 3), {}};

struct Place {
    TempDir root;
    fs::path dataDir = root / "data";
    fs::path september = root / "september";
    fs::path october = root / "october";

    Place() {
        for (const auto& dir : {dataDir, september, october})
            fs::create_directories(dir);
        September.writeZips(september);
        October.writeZips(october);
    }

    // The table directory as `prepared` holds it, the kept set included.
    void restore(const fs::path& prepared) const {
        fs::remove_all(dataDir);
        fs::copy(prepared, dataDir, fs::copy_options::recursive);
    }

    bool update(const fs::path& month) const {
        RecordingProgress progress;
        const auto outcome = updateTables(
            {month / "ken_all.zip", month / "jigyosyo.zip"}, dataDir,
            [](const ChangeReport&) { return true; }, progress);
        return outcome.result == UpdateResult::Completed;
    }
};

using Change = std::function<bool(const Place&)>;

struct Interruption {
    const char* name;
    Change prepare; // brings the directory to the state before
    Change change;  // the change that is stopped
};

const Interruption Interruptions[] = {
    {"UpdateOverTables", [](const Place& place) { return place.update(place.september); },
     [](const Place& place) { return place.update(place.october); }},
    {"UpdateIntoEmptyDirectory", [](const Place&) { return true; },
     [](const Place& place) { return place.update(place.october); }},
    {"Revert",
     [](const Place& place) {
         return place.update(place.september) && place.update(place.october);
     },
     [](const Place& place) {
         return revertTables(place.dataDir).result == BuildResult::Completed;
     }},
};

bool run(const Place& place, const Change& change, FileOperations& operations) {
    const ScopedFileOperations scope(operations);
    try {
        return change(place);
    } catch (const ProcessDied&) {
        return false;
    }
}

// What a directory holds besides its tables: the kept set at most.
std::string directoriesIn(const fs::path& dir) {
    std::string names;
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.is_directory())
            names += entry.path().filename().string() + "\n";
    return names;
}

class InterruptedUpdate : public testing::TestWithParam<Interruption> {};

TEST_P(InterruptedUpdate, EveryStepLeavesTheTablesBeforeOrAfterAndNoWorkingDirectory) {
    const Interruption& interruption = GetParam();
    // The state before, prepared once and copied for every stop (the updates are slow under
    // Wine).
    const TempDir prepared;
    FileContents before;
    FileContents after;
    std::size_t stepCount = 0;
    {
        Place place;
        ASSERT_TRUE(interruption.prepare(place));
        fs::remove(prepared.path());
        fs::copy(place.dataDir, prepared.path(), fs::copy_options::recursive);
        before = filesIn(place.dataDir);
        SteppingFileOperations steps;
        ASSERT_TRUE(run(place, interruption.change, steps));
        after = filesIn(place.dataDir);
        stepCount = steps.steps().size();
    }
    for (const bool dies : {true, false}) {
        for (std::size_t stop = 1; stop <= stepCount; ++stop) {
            SCOPED_TRACE((dies ? "dies at " : "refused at ") + std::to_string(stop));
            Place place;
            place.restore(prepared.path());
            std::unique_ptr<SteppingFileOperations> operations;
            if (dies)
                operations = std::make_unique<DyingFileOperations>(static_cast<int>(stop));
            else
                operations = std::make_unique<FailingFileOperations>(static_cast<int>(stop));
            const bool completed = run(place, interruption.change, *operations);

            recoverInterruptedCommit(place.dataDir);
            const FileContents found = filesIn(place.dataDir);
            EXPECT_TRUE(found == before || found == after);
            if (!dies) {
                EXPECT_EQ(completed, found == after);
            }
            const std::string directories = directoriesIn(place.dataDir);
            EXPECT_TRUE(directories.empty() || directories == ".mervasto-previous\n")
                << directories;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Changes, InterruptedUpdate, testing::ValuesIn(Interruptions),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace mervasto::test

// Builds on a directory that turns read-only, a disk that fills up part-way, and a file system
// that runs out of file slots: each fails with the error message and leaves the previous
// tables and the index exactly as they were, without a temporary file.

#include "RobustnessSupport.h"
#include "SmallFileSystem.h"
#include "data/Filest.h"
#include "data/IndexLoader.h"
#include "search/Search.h"
#include "search/SearchText.h"

#include <gtest/gtest.h>

#include <memory>

namespace fs = std::filesystem;

namespace mervasto::test {
namespace {

constexpr std::uintmax_t PageSize = 4096;

std::uintmax_t roundToPages(std::uintmax_t bytes) {
    return (bytes + PageSize - 1) / PageSize * PageSize;
}

// The room the files of `dir` take on a memory file system.
std::uintmax_t roomTaken(const fs::path& dir) {
    std::uintmax_t room = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        if (entry.is_regular_file())
            room += roundToPages(entry.file_size());
    return room;
}

enum class Builder { National, Offices };

// A data directory on a small file system that holds the tables of a completed build of
// both builders, and a CSV outside it.
class SmallDiskBuild : public ::testing::Test {
protected:
    // Mounts the file system with `options` and builds the previous tables on it; skips the
    // test where mounting is not allowed.
    void prepare(const std::string& options) {
        std::string whyNot;
        disk = SmallFileSystem::mount(root / "disk", options, whyNot);
        if (!disk)
            GTEST_SKIP() << whyNot;
        buildPreviousTables(root.path(), dir(), filest->indexTable);
        if (HasFatalFailure())
            return;
        before = tablesState(dir(), filest->indexTable);
    }

    fs::path dir() const { return disk->path(); }

    BuildOutcome build(Builder builder, const fs::path& csv) {
        return builder == Builder::National ? buildNational(csv, dir(), filest->indexTable)
                                            : buildOffices(csv, dir());
    }

    void expectUnchanged(const BuildOutcome& outcome) {
        EXPECT_EQ(outcome.result, BuildResult::Failed);
        EXPECT_FALSE(outcome.detail.empty());
        EXPECT_EQ(tablesState(dir(), filest->indexTable), before);
    }

    TempDir root;
    std::unique_ptr<SmallFileSystem> disk;
    std::unique_ptr<Filest> filest = std::make_unique<Filest>();
    TablesState before;
};

TEST_F(SmallDiskBuild, ReadOnlyDirectoryFailsBothBuildsAndStillSearches) {
    prepare("size=1m");
    if (HasFatalFailure() || IsSkipped())
        return;
    writeBytes(root / "national.csv", nationalCsv(20, 5));
    writeBytes(root / "offices.csv", officeCsv(20));
    ASSERT_TRUE(disk->makeReadOnly());

    expectUnchanged(build(Builder::National, root / "national.csv"));
    expectUnchanged(build(Builder::Offices, root / "offices.csv"));

    IndexTable index;
    ASSERT_TRUE(loadIndexTable(dir(), index));
    const SearchOutcome address = runSearch(dir(), index, u"東京都C0001丸の内7", false);
    EXPECT_FALSE(address.message);
    EXPECT_EQ(address.code, u"100-0007");
    const SearchOutcome offices = runSearch(dir(), index, u"株式会社サンプル3", true);
    EXPECT_FALSE(offices.message);
    EXPECT_EQ(offices.lines.size(), 1u);
}

// The disk has room for the previous tables and a share of what the new build writes, so that
// it fills in the record pass, the index pass or the list pass of the national build, and
// part-way through the business-office table.
struct DiskFull {
    const char* name;
    Builder builder;
    int percentOfNeededRoom;
};

class DiskFillsDuringBuild : public SmallDiskBuild, public ::testing::WithParamInterface<DiskFull> {
protected:
    // The room the new tables take, from a build of the same CSV on an unlimited disk.
    std::uintmax_t roomNeeded(const fs::path& csv) {
        const fs::path scratch = root / "scratch";
        fs::create_directory(scratch);
        IndexTable index;
        const BuildOutcome outcome = GetParam().builder == Builder::National
                                         ? buildNational(csv, scratch, index)
                                         : buildOffices(csv, scratch);
        EXPECT_EQ(outcome.result, BuildResult::Completed);
        return roomTaken(scratch);
    }
};

TEST_P(DiskFillsDuringBuild, FailsAndLeavesThePreviousTables) {
    const fs::path csv = root / "input.csv";
    writeBytes(csv,
               GetParam().builder == Builder::National ? nationalCsv(3000, 100) : officeCsv(3000));
    const std::uintmax_t needed = roomNeeded(csv);
    // The previous tables of both builders and their source record take at most a page per
    // file (10 rows each).
    const std::uintmax_t previous = 5 * PageSize;
    const std::uintmax_t size = roundToPages(
        previous + needed * static_cast<std::uintmax_t>(GetParam().percentOfNeededRoom) / 100);
    prepare("size=" + std::to_string(size));
    if (HasFatalFailure() || IsSkipped())
        return;
    ASSERT_LE(roomTaken(dir()), previous);

    expectUnchanged(build(GetParam().builder, csv));
}

INSTANTIATE_TEST_SUITE_P(Cases, DiskFillsDuringBuild,
                         ::testing::Values(DiskFull{"NationalNoRoom", Builder::National, 0},
                                           DiskFull{"NationalRecordPass", Builder::National, 25},
                                           DiskFull{"NationalIndexOrListPass", Builder::National,
                                                    55},
                                           DiskFull{"NationalListPass", Builder::National, 90},
                                           DiskFull{"OfficesNoRoom", Builder::Offices, 0},
                                           DiskFull{"OfficesHalfWay", Builder::Offices, 50},
                                           DiskFull{"OfficesNearlyAll", Builder::Offices, 95}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SmallDiskBuild, EnoughRoomCompletesOnTheSameDisk) {
    prepare("size=2m");
    if (HasFatalFailure() || IsSkipped())
        return;
    writeBytes(root / "input.csv", nationalCsv(3000, 100));
    EXPECT_EQ(build(Builder::National, root / "input.csv").result, BuildResult::Completed);
    EXPECT_EQ(filest->indexTable.Count, 31);
    EXPECT_EQ(fs::file_size(dir() / "ZIPCODE.txt"), 3000u * 70u);
}

// The file system has no slot left for one of the temporary files (the root directory, the
// four previous tables and their source record take six).
class FileSlotsRunOut : public SmallDiskBuild, public ::testing::WithParamInterface<int> {};

TEST_P(FileSlotsRunOut, NationalBuildFailsAndLeavesThePreviousTables) {
    prepare("size=1m,nr_inodes=" + std::to_string(6 + GetParam()));
    if (HasFatalFailure() || IsSkipped())
        return;
    writeBytes(root / "input.csv", nationalCsv(20, 5));
    expectUnchanged(build(Builder::National, root / "input.csv"));
}

INSTANTIATE_TEST_SUITE_P(Cases, FileSlotsRunOut, ::testing::Values(0, 1, 2),
                         [](const auto& info) { return "FreeSlots" + std::to_string(info.param); });

// A data directory that cannot be looked into: the builds fail with the error message instead
// of trying temporary names for ever (they used to hang).
struct UnusableDirectory {
    const char* name;
    fs::path (*make)(const fs::path& root);
};

class UnusableDataDirectory : public ::testing::TestWithParam<UnusableDirectory> {};

TEST_P(UnusableDataDirectory, BothBuildsFail) {
    TempDir root;
    const fs::path dir = GetParam().make(root.path());
    writeBytes(root / "national.csv", nationalCsv(10, 5));
    writeBytes(root / "offices.csv", officeCsv(10));
    // The work may outlive the test when it hangs: it owns what it uses.
    const auto filest = std::make_shared<Filest>();
    const fs::path scratch = root.path();

    const auto national = finishesWithin<BuildResult>(std::chrono::seconds(60), [=] {
        return buildNational(scratch / "national.csv", dir, filest->indexTable).result;
    });
    const auto offices = finishesWithin<BuildResult>(std::chrono::seconds(60), [=] {
        return buildOffices(scratch / "offices.csv", dir).result;
    });

    ASSERT_TRUE(national) << "the national build does not end";
    ASSERT_TRUE(offices) << "the business-office build does not end";
    EXPECT_EQ(*national, BuildResult::Failed);
    EXPECT_EQ(*offices, BuildResult::Failed);
    EXPECT_EQ(filest->indexTable.Count, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, UnusableDataDirectory,
                         ::testing::Values(UnusableDirectory{"SymbolicLinkLoop",
                                                             [](const fs::path& root) {
                                                                 fs::create_directory_symlink(
                                                                     root / "loop", root / "loop");
                                                                 return root / "loop";
                                                             }},
                                           UnusableDirectory{"PathTooLong",
                                                             [](const fs::path& root) {
                                                                 fs::path dir = root;
                                                                 for (int level = 0; level < 24;
                                                                      ++level)
                                                                     dir /= std::string(200, 'd');
                                                                 return dir;
                                                             }}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace mervasto::test

// mervasto-cli's national build in a child process that ends itself (_exit, as if killed) at
// every file step in turn; the next command, a search, must find exactly the old or exactly
// the new tables and leave no temporary file. A second child process waits in a search while
// a build replaces the tables under it.

#include "SteppingFileOperations.h"
#include "TestFiles.h"
#include "cli/MervastoCli.h"
#include "cli/StandardConsole.h"
#include "data/Cp932Codec.h"
#include "data/TableCommit.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <map>

namespace fs = std::filesystem;

namespace mervasto::test {
namespace {

using Tables = std::map<std::string, std::string>;

int runCliQuietly(const std::vector<std::string>& arguments) {
    cli::StandardConsole console;
    return cli::runCli(arguments, console);
}

// Runs `body` in a child process with its output discarded; returns its exit status.
template <typename Body> int inChild(Body body) {
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        _exit(body());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

constexpr int Killed = 77;

struct Place {
    TempDir root;
    fs::path data = root / "data";
    fs::path oldCsv = root / "old.csv";
    fs::path newCsv = root / "new.csv";

    Place() {
        fs::create_directory(data);
        writeBytes(oldCsv, encodeCp932(u"13101,,1000001,,,,東京都,港区,芝,0,0,0,0,0,0\r\n"));
        writeBytes(newCsv,
                   encodeCp932(u"13101,,1000002,,,,東京都,港区,芝浦,0,0,0,0,0,0\r\n"
                               u"13101,,1234567,,,,東京都,千代田区,丸の内,0,0,0,0,0,0\r\n"));
        // Every place's tables record the same date of their data.
        const auto dataDate = std::chrono::file_clock::from_sys(
            std::chrono::sys_seconds{std::chrono::sys_days{std::chrono::year{2025} / 9 / 30}});
        fs::last_write_time(oldCsv, dataDate);
        fs::last_write_time(newCsv, dataDate);
    }
    std::vector<std::string> build(const fs::path& csv) const {
        return {"mervasto-cli", "--data-dir", data.string(), "build",
                "national",     "--yes",      csv.string()};
    }
    std::vector<std::string> search(const char* key) const {
        return {"mervasto-cli", "--data-dir", data.string(), "search", key};
    }
};

TEST(KilledBuild, EveryKillPointLeavesTheOldOrTheNewSetForTheNextCommand) {
    Tables oldSet, newSet;
    int steps = 0;
    {
        Place place;
        ASSERT_EQ(runCliQuietly(place.build(place.oldCsv)), 0);
        oldSet = filesIn(place.data);
        SteppingFileOperations counting;
        {
            const ScopedFileOperations scope(counting);
            ASSERT_EQ(runCliQuietly(place.build(place.newCsv)), 0);
        }
        newSet = filesIn(place.data);
        steps = static_cast<int>(counting.steps().size());
    }
    ASSERT_GT(steps, 10);

    bool newSetSeen = false;
    for (int kill = 1; kill <= steps; ++kill) {
        SCOPED_TRACE("killed at step " + std::to_string(kill));
        Place place;
        ASSERT_EQ(runCliQuietly(place.build(place.oldCsv)), 0);
        const int status = inChild([&] {
            SteppingFileOperations killing(kill, [](const std::string&) { _exit(Killed); });
            const ScopedFileOperations scope(killing);
            return runCliQuietly(place.build(place.newCsv));
        });
        ASSERT_EQ(status, Killed);

        const int searched = runCliQuietly(place.search("芝"));
        const Tables after = filesIn(place.data);
        ASSERT_TRUE(after == oldSet || after == newSet);
        EXPECT_EQ(searched, 0); // the key is in both sets
        EXPECT_FALSE(newSetSeen && after == oldSet);
        newSetSeen = newSetSeen || after == newSet;
    }
    EXPECT_TRUE(newSetSeen);
}

// A search holds the tables while it reads them: a build that wants to replace them waits for
// it, and the search answers from the set it started with.
TEST(KilledBuild, BuildWaitsForASearchInProgress) {
    Place place;
    ASSERT_EQ(runCliQuietly(place.build(place.oldCsv)), 0);
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t builder = fork();
    if (builder == 0) {
        char go;
        close(ready[1]);
        (void)!read(ready[0], &go, 1);
        _exit(runCliQuietly(place.build(place.newCsv)));
    }
    close(ready[0]);
    {
        const TableLock searching = lockWholeTables(place.data);
        (void)!write(ready[1], "g", 1);
        sleep(1); // the build runs to its commit and waits there
        EXPECT_EQ(readBytes(place.data / "ZIPCODE.txt").size(), 70U);
    }
    int status = 0;
    waitpid(builder, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(readBytes(place.data / "ZIPCODE.txt").size(), 140U);
}

} // namespace
} // namespace mervasto::test

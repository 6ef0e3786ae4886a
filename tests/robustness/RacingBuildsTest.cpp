// Builds of two different sets, killed (SIGKILL) at random instants, while other processes
// search the same directory. The sets put the same addresses at shifted record numbers and each
// has rows of its own, so a set mixed from both answers some key as neither set does. Every
// search must answer exactly as one whole set does, or fail with an error.
//
// MERVASTO_RACE_SECONDS sets how long the race runs (3 seconds unless set).

#include "TestFiles.h"
#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "cli/MervastoCli.h"
#include "data/Cp932Codec.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace mervasto::test {
namespace {

class SilentConsole : public cli::Console {
public:
    void out(std::string_view utf8) override { written += utf8; }
    void err(std::string_view) override {}
    bool outBytes(std::string_view bytes) override {
        written += bytes;
        return true;
    }
    std::optional<std::string> readLine() override { return std::nullopt; }
    std::optional<std::string> readAll() override { return std::string(); }
    bool inputIsTerminal() const override { return false; }
    bool errorIsTerminal() const override { return false; }

    std::string written;
};

struct Answer {
    int status;
    std::string out;
    bool operator==(const Answer&) const = default;
};

int runQuietly(std::vector<std::string> command, const fs::path& dataDir, std::string* out) {
    command.insert(command.begin(), {"mervasto-cli", "--data-dir", dataDir.string()});
    SilentConsole console;
    const int status = cli::runCli(command, console);
    if (out)
        *out = std::move(console.written);
    return status;
}

// Keys answered through the index and the records, whose rows stand at other record numbers in
// the other set, and keys of a ward that one set alone has, which the other set looks for in its
// list file.
const std::vector<std::string> Keys = {"千代田区丸の内", "千代田区紀尾井町", "港区芝浦",
                                       "港区赤坂",       "台東区上野",       "中央区銀座"};

Answer search(const fs::path& dataDir, const std::string& key) {
    Answer answer{};
    answer.status = runQuietly({"search", key}, dataDir, &answer.out);
    return answer;
}

std::vector<Answer> answersIn(const fs::path& dataDir) {
    std::vector<Answer> answers;
    for (const auto& key : Keys)
        answers.push_back(search(dataDir, key));
    return answers;
}

std::u16string row(const char16_t* wardCode, const char16_t* ward, const char16_t* town, int code) {
    std::u16string digits;
    for (const char c : std::to_string(code))
        digits += static_cast<char16_t>(c);
    return std::u16string(wardCode) + u",," + digits + u",,,,東京都," + ward + u"," + town +
           u",0,0,0,0,0,0\r\n";
}

// The shared rows; `first` goes before them and `last` after them.
std::u16string csv(const std::u16string& first, const std::u16string& last) {
    static const char16_t* const Chiyoda[] = {u"丸の内", u"大手町",  u"内幸町", u"有楽町",
                                              u"霞が関", u"永田町",  u"隼町",   u"平河町",
                                              u"麹町",   u"紀尾井町"};
    static const char16_t* const Minato[] = {u"芝",   u"芝浦", u"海岸",   u"浜松町",
                                             u"新橋", u"愛宕", u"六本木", u"赤坂"};
    std::u16string text = first;
    int code = 1000001;
    for (const auto* town : Chiyoda)
        text += row(u"13101", u"千代田区", town, code++);
    code = 1050001;
    for (const auto* town : Minato)
        text += row(u"13103", u"港区", town, code++);
    return text + last;
}

struct Race {
    TempDir root;
    fs::path data = root / "data";
    fs::path csvA = root / "a.csv";
    fs::path csvB = root / "b.csv";

    Race() {
        fs::create_directory(data);
        writeBytes(csvA, encodeCp932(csv(u"", row(u"13106", u"台東区", u"上野", 1100005))));
        writeBytes(csvB, encodeCp932(csv(row(u"13102", u"中央区", u"銀座", 1040061) +
                                             row(u"13102", u"中央区", u"京橋", 1040031),
                                         u"")));
    }
    std::vector<std::string> build(bool a) const {
        return {"build", "national", "--yes", (a ? csvA : csvB).string()};
    }
};

std::vector<std::string> tableNames(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.is_regular_file() && entry.path().filename() != "TableSources.txt")
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// What a searching process counts; written whole to its pipe at its end.
struct SearchTally {
    long answered = 0;
    long answeredAsB = 0; // of those, by a key that the two sets answer differently
    long failed = 0;
    long mixed = 0;
    char firstMixed[512] = {};
};

SearchTally searchUntil(Clock::time_point end, const fs::path& data, const std::vector<Answer>& a,
                        const std::vector<Answer>& b) {
    SearchTally tally;
    while (Clock::now() < end) {
        for (std::size_t key = 0; key < Keys.size(); ++key) {
            const Answer answer = search(data, Keys[key]);
            if (answer == a[key] || answer == b[key]) {
                ++tally.answered;
                tally.answeredAsB += answer != a[key];
            } else if (answer.status == cli::Failure) {
                ++tally.failed;
            } else if (tally.mixed++ == 0) {
                const std::string text = Keys[key] + " -> " + answer.out;
                text.copy(tally.firstMixed, sizeof tally.firstMixed - 1);
            }
        }
    }
    return tally;
}

pid_t startSearcher(Clock::time_point end, const Race& race, const std::vector<Answer>& a,
                    const std::vector<Answer>& b, int pipeOut) {
    const pid_t child = fork();
    if (child == 0) {
        const SearchTally tally = searchUntil(end, race.data, a, b);
        const bool written = write(pipeOut, &tally, sizeof tally) == sizeof tally;
        _exit(written ? 0 : 1);
    }
    return child;
}

pid_t startBuild(const Race& race, bool a) {
    const pid_t child = fork();
    if (child == 0)
        _exit(runQuietly(race.build(a), race.data, nullptr));
    return child;
}

// The exit status of a build, or -1 when it was killed.
int waitFor(pid_t child) {
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

double raceSeconds() {
    const char* set = std::getenv("MERVASTO_RACE_SECONDS");
    return set ? std::atof(set) : 3.0;
}

// Each mixed set answers some key as neither whole set does: the race can tell one.
TEST(RacingBuilds, EveryMixedSetIsToldApart) {
    Race race;
    const fs::path dirA = race.root / "a", dirB = race.root / "b", mixed = race.root / "mixed";
    for (const auto& dir : {dirA, dirB, mixed})
        fs::create_directory(dir);
    ASSERT_EQ(runQuietly(race.build(true), dirA, nullptr), cli::Success);
    ASSERT_EQ(runQuietly(race.build(false), dirB, nullptr), cli::Success);
    const auto names = tableNames(dirA);
    ASSERT_EQ(names.size(), 3U);
    ASSERT_EQ(tableNames(dirB), names);
    const auto a = answersIn(dirA), b = answersIn(dirB);
    for (unsigned fromB = 1; fromB + 1 < (1U << names.size()); ++fromB) {
        for (std::size_t file = 0; file < names.size(); ++file)
            fs::copy_file(((fromB >> file) & 1 ? dirB : dirA) / names[file], mixed / names[file],
                          fs::copy_options::overwrite_existing);
        const auto answers = answersIn(mixed);
        bool toldApart = false;
        for (std::size_t key = 0; key < Keys.size(); ++key)
            toldApart = toldApart || (answers[key] != a[key] && answers[key] != b[key]);
        EXPECT_TRUE(toldApart) << "files of the second set: " << fromB;
    }
}

TEST(RacingBuilds, SearchesAnswerAsOneWholeSetWhileBuildsAreKilled) {
    Race race;
    std::vector<Answer> a, b;
    {
        const Race whole;
        ASSERT_EQ(runQuietly(whole.build(true), whole.data, nullptr), cli::Success);
        a = answersIn(whole.data);
        ASSERT_EQ(runQuietly(whole.build(false), whole.data, nullptr), cli::Success);
        b = answersIn(whole.data);
    }
    ASSERT_EQ(runQuietly(race.build(true), race.data, nullptr), cli::Success);

    // How long an undisturbed build takes here, to kill the others anywhere in their course.
    const auto started = Clock::now();
    ASSERT_EQ(waitFor(startBuild(race, false)), cli::Success);
    const auto buildTime =
        std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - started);

    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    // Beside the searches a build takes longer: some builds end before they are killed.
    std::uniform_int_distribution<long> delay(0, buildTime.count() * 3);
    const auto end = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                        std::chrono::duration<double>(raceSeconds()));

    int tallies[2];
    ASSERT_EQ(pipe(tallies), 0);
    std::vector<pid_t> searchers;
    for (int searcher = 0; searcher < 2; ++searcher)
        searchers.push_back(startSearcher(end, race, a, b, tallies[1]));
    close(tallies[1]);

    int killed = 0, completed = 0, refused = 0;
    for (bool nextIsA = true; Clock::now() < end; nextIsA = !nextIsA) {
        const pid_t build = startBuild(race, nextIsA);
        usleep(static_cast<useconds_t>(delay(random)));
        kill(build, SIGKILL);
        const int status = waitFor(build);
        (status < 0 ? killed : status == cli::Success ? completed : refused)++;
    }

    SearchTally total;
    for (const pid_t searcher : searchers) {
        SearchTally tally;
        ASSERT_EQ(read(tallies[0], &tally, sizeof tally), static_cast<ssize_t>(sizeof tally));
        EXPECT_EQ(waitFor(searcher), 0);
        total.answered += tally.answered;
        total.answeredAsB += tally.answeredAsB;
        total.failed += tally.failed;
        total.mixed += tally.mixed;
        if (tally.mixed > 0)
            ADD_FAILURE() << "a mixed answer: " << tally.firstMixed;
    }
    close(tallies[0]);
    std::printf("seed %u, build %lld us: builds killed %d, completed %d, failed %d; searches "
                "answered %ld (as the second set only %ld), failed with an error %ld, mixed "
                "%ld\n",
                seed, static_cast<long long>(buildTime.count()), killed, completed, refused,
                total.answered, total.answeredAsB, total.failed, total.mixed);

    EXPECT_EQ(total.mixed, 0);
    EXPECT_GT(total.answered, 0);
    // Once no build runs, the next command finds one whole set and nothing else.
    const auto after = answersIn(race.data);
    EXPECT_TRUE(after == a || after == b);
    EXPECT_EQ(tableNames(race.data).size(), 3U);
}

} // namespace
} // namespace mervasto::test

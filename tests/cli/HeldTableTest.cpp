// A table held open by another program (a spreadsheet, a virus scanner) while a build replaces
// the set: the build fails, and what it leaves behind is finished by a later command once the
// file is free. Meanwhile searches answer from the old set whenever it is whole on the disk, and
// fail with an error, never with a mixed set, when it is not.

#include "CliHarness.h"
#include "HeldFileOperations.h"
#include "TestFiles.h"
#include "data/Cp932Codec.h"
#include "data/TableCommit.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace fs = std::filesystem;

namespace mervasto::test {
namespace {

using Files = std::map<std::string, std::string>;

struct HeldCase {
    const char* name;
    std::vector<std::string> held;             // held from before the build
    std::vector<std::string> heldOnceReplaced; // held from the moment the build replaces it
    bool oldSetWhole; // whether the old set is whole on the disk after the failed build
};

const HeldCase HeldCases[] = {
    {"LastTableHeld", {"ZipCode1.txt"}, {}, true},
    {"FirstTableHeld", {"ZIPCODE.txt"}, {}, true},
    {"MiddleTableHeld", {"ZIPID1.txt"}, {}, true},
    // Opened just after its replacement: the undo cannot put its old content back.
    {"ReplacedTableHeldThenNextRefused", {"ZIPID1.txt"}, {"ZIPCODE.txt"}, false},
};

class HeldTable : public testing::TestWithParam<HeldCase> {
protected:
    TempDir root;
    fs::path data = root / "data";

    CliRun cli(std::vector<std::string> command) const {
        command.insert(command.begin(), {"--data-dir", data.string()});
        return runCli(command);
    }
    CliRun build(const std::u16string& csv) const {
        const fs::path file = root / "KEN_ALL.CSV";
        writeBytes(file, encodeCp932(csv));
        return cli({"build", "national", "--yes", file.string()});
    }
    CliRun search() const { return cli({"search", "芝"}); }
    std::vector<fs::path> inData(const std::vector<std::string>& names) const {
        std::vector<fs::path> paths;
        for (const auto& name : names)
            paths.push_back(data / name);
        return paths;
    }
};

const std::u16string OldCsv = u"13101,,1000001,,,,東京都,港区,芝,0,0,0,0,0,0\r\n";
const std::u16string NewCsv = u"13101,,1000002,,,,東京都,港区,芝浦,0,0,0,0,0,0\r\n"
                              u"13101,,1234567,,,,東京都,千代田区,丸の内,0,0,0,0,0,0\r\n";

TEST_P(HeldTable, OldSetAnswersMeanwhileAndALaterStartFinishes) {
    fs::create_directory(data);
    ASSERT_EQ(build(OldCsv).status, 0);
    const Files oldSet = filesIn(data);
    const CliRun oldAnswer = search();
    ASSERT_EQ(oldAnswer.status, 0);
    {
        HeldFileOperations held(inData(GetParam().held), inData(GetParam().heldOnceReplaced));
        const ScopedFileOperations scope(held);
        EXPECT_NE(build(NewCsv).status, 0);
        ASSERT_TRUE(fs::exists(data / std::string(JournalName)));

        for (int repeat = 0; repeat < 2; ++repeat) { // the first search does not clear the way
            const CliRun meanwhile = search();
            if (GetParam().oldSetWhole) {
                EXPECT_EQ(meanwhile.status, oldAnswer.status);
                EXPECT_EQ(meanwhile.out, oldAnswer.out);
            } else {
                EXPECT_NE(meanwhile.status, 0);
                EXPECT_EQ(meanwhile.out, "");
            }
        }
        EXPECT_NE(build(NewCsv).status, 0); // a new build cannot finish the old one either
    }
    const CliRun freed = search();
    EXPECT_EQ(freed.status, 0);
    EXPECT_EQ(freed.out, oldAnswer.out);
    EXPECT_EQ(filesIn(data), oldSet); // the journal and every temporary are gone
}

INSTANTIATE_TEST_SUITE_P(Builds, HeldTable, testing::ValuesIn(HeldCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace mervasto::test

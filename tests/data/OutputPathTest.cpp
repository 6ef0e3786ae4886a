#include "data/OutputPath.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <functional>

namespace mervasto {
namespace {

namespace fs = std::filesystem;

struct OutputCase {
    const char* name;
    // Makes the output's path in `dir`, beside the input "list.csv".
    std::function<fs::path(const test::TempDir& dir)> output;
    OutputPath expected;
};

class OutputPathTest : public ::testing::TestWithParam<OutputCase> {};

TEST_P(OutputPathTest, KnowsTheInputByItsIdentity) {
    const test::TempDir dir;
    test::writeBytes(dir / "list.csv", "東京都中央区京橋\n");
    EXPECT_EQ(classifyOutputPath(dir / "list.csv", GetParam().output(dir)), GetParam().expected);
    EXPECT_EQ(test::readBytes(dir / "list.csv"), "東京都中央区京橋\n");
}

const OutputCase outputCases[] = {
    {"NewFile", [](const auto& dir) { return dir / "out.csv"; }, OutputPath::New},
    {"OtherFile",
     [](const auto& dir) {
         test::writeBytes(dir / "out.csv", "x");
         return dir / "out.csv";
     },
     OutputPath::Existing},
    {"SamePath", [](const auto& dir) { return dir / "list.csv"; }, OutputPath::Input},
    {"AnotherSpellingOfThePath", [](const auto& dir) { return dir.path() / "." / "list.csv"; },
     OutputPath::Input},
    {"HardLink",
     [](const auto& dir) {
         fs::create_hard_link(dir / "list.csv", dir / "alias.csv");
         return dir / "alias.csv";
     },
     OutputPath::Input},
    {"Directory",
     [](const auto& dir) {
         fs::create_directory(dir / "sub");
         return dir / "sub";
     },
     OutputPath::Device},
#ifdef _WIN32
    {"OtherCase", [](const auto& dir) { return dir / "LIST.CSV"; }, OutputPath::Input},
#else
    {"SymbolicLink",
     [](const auto& dir) {
         fs::create_symlink(dir / "list.csv", dir / "alias.csv");
         return dir / "alias.csv";
     },
     OutputPath::Input},
    {"DeviceFile", [](const auto&) { return fs::path("/dev/null"); }, OutputPath::Device},
#endif
};

INSTANTIATE_TEST_SUITE_P(Data, OutputPathTest, ::testing::ValuesIn(outputCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace mervasto

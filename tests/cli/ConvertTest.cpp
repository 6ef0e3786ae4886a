// The convert command, run in-process: the list's files (never over the list, nothing written
// on an error, the encoding and line ends kept), the columns it gains and its exit statuses.
#include "CliHarness.h"

#include "data/Cp932Codec.h"
#include "data/Utf8.h"

#include <filesystem>
#include <functional>
#include <ostream>

namespace mervasto {
namespace {

namespace fs = std::filesystem;
using test::CliRun;
using test::CliTest;
using test::runCli;

const std::string Bom = "\xEF\xBB\xBF";

struct ConvertCase {
    const char* name;
    std::vector<std::string> arguments;
    std::string input;
    int status;
    std::string out;
};

void PrintTo(const ConvertCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class CliConvert : public CliTest, public ::testing::WithParamInterface<ConvertCase> {};

TEST_P(CliConvert, WritesTheListWithItsCodes) {
    const CliRun run = convert(GetParam().arguments, GetParam().input);
    EXPECT_EQ(run.status, GetParam().status) << run.err;
    EXPECT_EQ(run.out, GetParam().out);
}

const ConvertCase convertCases[] = {
    {"StandardInput",
     {},
     "中央区銀座\n1000013\n",
     0,
     "中央区銀座,104-0061,1,部分一致\n1000013,100-0013,1,部分一致\n"},
    {"DashIsStandardInput",
     {"--header", "--column", "2", "-"},
     "id,住所\r\n7,東京都中央区京橋\r\n",
     0,
     "id,住所,郵便番号,候補数,判定\r\n7,東京都中央区京橋,104-0031,1,一致\r\n"},
    {"Json",
     {"--json"},
     "東京都中央区京橋\nＺＺＺ\n",
     0,
     "{\"address\":\"東京都中央区京橋\",\"code\":\"104-0031\",\"count\":1,\"status\":\"一致\","
     "\"error\":null}\n"
     "{\"address\":\"ＺＺＺ\",\"code\":\"\",\"count\":0,\"status\":\"該当なし\",\"error\":null}\n"},
    {"ColumnZeroIsBadUsage", {"--column", "0"}, "銀座\n", 2, ""},
    {"MissingFile", {"no such list.csv"}, "", 2, ""},
    // Standard output never starts with a byte-order mark, not even for a list that has one.
    {"StandardOutputWithoutBom",
     {},
     Bom + "東京都中央区京橋\n",
     0,
     "東京都中央区京橋,104-0031,1,一致\n"},
    // A row without the address column is an error of its own; the others are converted.
    {"RowWithoutTheColumn",
     {"--column", "2"},
     "甲,東京都中央区京橋\n乙\n",
     1,
     "甲,東京都中央区京橋,104-0031,1,一致\n乙,,,0,エラー\n"},
    {"NoRowHasTheColumn", {"--column", "3"}, "甲,東京都中央区京橋\n乙\n", 2, ""},
    {"EndsInsideAQuotedField", {}, "東京都中央区京橋\n\"東京都中央区", 2, ""},
};

INSTANTIATE_TEST_SUITE_P(Convert, CliConvert, ::testing::ValuesIn(convertCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliTest, ConvertReadsAFileAndWritesTheOutputFile) {
    test::writeCp932(dir / "list.csv", u"東京都中央区京橋\r\nＺＺＺ\r\n");
    const CliRun run =
        convert({"--output", (dir / "out.csv").string(), (dir / "list.csv").string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(test::readBytes(dir / "out.csv"),
              encodeCp932(u"東京都中央区京橋,104-0031,1,一致\r\nＺＺＺ,,0,該当なし\r\n"));
    EXPECT_NE(run.err.find("一致 1件、補正一致 0件、部分一致 0件、複数候補 0件、該当なし 1件、"
                           "エラー 0件\n"),
              std::string::npos)
        << run.err;
}

TEST_F(CliTest, ConvertGoesOnPastARowOnTheErrorPath) {
    std::filesystem::remove(dir / "ZipCode1.txt");
    const CliRun run = convert({}, "丸の内\n東京都中央区京橋\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "丸の内,,0,エラー\n東京都中央区京橋,104-0031,1,一致\n");
    EXPECT_NE(run.err.find("row 1: 全国版の郵便番号表 ZIPCODE1.TXT が見つかりません。"),
              std::string::npos)
        << run.err;
}

// A UTF-8 output file starts with a byte-order mark unless told not to; CP932 never has
// one; the line ends are the list's.
struct OutputFileCase {
    const char* name;
    std::vector<std::string> options;
    std::string list;
    std::string output;
};

class ConvertOutputFile : public CliTest, public ::testing::WithParamInterface<OutputFileCase> {};

TEST_P(ConvertOutputFile, KeepsTheEncodingAndLineEnds) {
    test::writeBytes(dir / "list.csv", GetParam().list);
    std::vector<std::string> arguments = GetParam().options;
    arguments.insert(arguments.end(),
                     {"--output", (dir / "out.csv").string(), (dir / "list.csv").string()});
    const CliRun run = convert(arguments);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(test::readBytes(dir / "out.csv"), GetParam().output);
}

const OutputFileCase outputFileCases[] = {
    {"Utf8GainsABom", {}, "東京都中央区京橋\n", Bom + "東京都中央区京橋,104-0031,1,一致\n"},
    {"Utf8WithoutBom",
     {"--no-bom"},
     "東京都中央区京橋\r\n",
     "東京都中央区京橋,104-0031,1,一致\r\n"},
    {"BomKept", {}, Bom + "東京都中央区京橋\r\n", Bom + "東京都中央区京橋,104-0031,1,一致\r\n"},
    {"Cp932",
     {},
     encodeCp932(u"東京都中央区京橋\n"),
     encodeCp932(u"東京都中央区京橋,104-0031,1,一致\n")},
    // ASCII ending in C3 (ﾃ in CP932) is not UTF-8: the list stays CP932.
    {"Cp932EndingInHalfWidthKana",
     {},
     "ZZZ\xC3",
     "ZZZ\xC3,,0," + encodeCp932(u"該当なし") + "\r\n"},
    {"Json",
     {"--json"},
     "ＺＺＺ\n",
     "{\"address\":\"ＺＺＺ\",\"code\":\"\",\"count\":0,\"status\":\"該当なし\",\"error\":null}\n"},
};

INSTANTIATE_TEST_SUITE_P(Convert, ConvertOutputFile, ::testing::ValuesIn(outputFileCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The output may not be the list, by whatever name; nothing is written and the list stays.
struct RefusalCase {
    const char* name;
    std::function<fs::path(const test::TempDir& dir)> output; // beside list.csv
};

class ConvertRefusesTheList : public CliTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(ConvertRefusesTheList, AsItsOutput) {
    const std::string list = "東京都中央区京橋\n";
    test::writeBytes(dir / "list.csv", list);
    const fs::path output = GetParam().output(dir);
    const CliRun run = convert({"--yes", "--output", output.string(), (dir / "list.csv").string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("is the list itself"), std::string::npos) << run.err;
    EXPECT_EQ(test::readBytes(dir / "list.csv"), list);
}

const RefusalCase refusalCases[] = {
    {"SamePath", [](const auto& dir) { return dir / "list.csv"; }},
    {"HardLink",
     [](const auto& dir) {
         fs::create_hard_link(dir / "list.csv", dir / "link.csv");
         return dir / "link.csv";
     }},
#ifdef _WIN32
    {"OtherCase", [](const auto& dir) { return dir / "LIST.CSV"; }},
#else
    {"SymbolicLink",
     [](const auto& dir) {
         fs::create_symlink(dir / "list.csv", dir / "link.csv");
         return dir / "link.csv";
     }},
#endif
};

INSTANTIATE_TEST_SUITE_P(Convert, ConvertRefusesTheList, ::testing::ValuesIn(refusalCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliTest, ConvertReplacesAnExistingOutputOnlyWithYes) {
    test::writeBytes(dir / "list.csv", "東京都中央区京橋\n");
    test::writeBytes(dir / "out.csv", "older\n");
    const std::vector<std::string> arguments = {"--no-bom", "--output", (dir / "out.csv").string(),
                                                (dir / "list.csv").string()};
    const CliRun kept = convert(arguments);
    EXPECT_EQ(kept.status, 2);
    EXPECT_NE(kept.err.find("out.csv は既にあります。置き換えますか？"), std::string::npos)
        << kept.err;
    EXPECT_EQ(test::readBytes(dir / "out.csv"), "older\n");

    std::vector<std::string> confirmed = arguments;
    confirmed.insert(confirmed.begin(), "--yes");
    EXPECT_EQ(convert(confirmed).status, 0);
    EXPECT_EQ(test::readBytes(dir / "out.csv"), "東京都中央区京橋,104-0031,1,一致\n");
}

// Errors of the whole run: exit 2 and no output file, not even part of one.
TEST_F(CliTest, ConvertWritesNothingWhenReadingOrWritingFails) {
    test::writeBytes(dir / "list.csv", "東京都中央区京橋\n");
    const auto convertInto = [&](const fs::path& output, const fs::path& list) {
        return convert({"--output", output.string(), list.string()});
    };
    EXPECT_EQ(convertInto(dir / "out.csv", dir.path()).status, 2); // a directory is no list
    EXPECT_EQ(convertInto(dir / "missing" / "out.csv", dir / "list.csv").status, 2);
#ifndef _WIN32
    const CliRun full = convertInto("/dev/full", dir / "list.csv");
    EXPECT_EQ(full.status, 2);
    EXPECT_NE(full.err.find("cannot write /dev/full"), std::string::npos) << full.err;
    EXPECT_EQ(convertInto("/dev/null", dir / "list.csv").status, 0);
#endif
    EXPECT_FALSE(fs::exists(dir / "out.csv"));
    EXPECT_FALSE(fs::exists(dir / "missing"));
}

TEST_F(CliTest, ConvertFailsWhenStandardStreamsDo) {
    const std::vector<std::string> arguments = {"--data-dir", dir.path().string(), "convert"};
    test::CapturingConsole full("東京都中央区京橋\n");
    full.writesFail = true;
    EXPECT_EQ(runCli(arguments, full).status, 2);
    EXPECT_NE(full.written.err.find("cannot write to standard output"), std::string::npos);

    test::CapturingConsole unreadable("");
    unreadable.readFails = true;
    EXPECT_EQ(runCli(arguments, unreadable).status, 2);
    EXPECT_EQ(unreadable.written.out, "");
}

#ifndef _WIN32
TEST_F(CliTest, ConvertToAFullDiskExitsWith2) {
    test::writeBytes(dir / "list.csv", "東京都中央区京橋\n");
    const CliRun run = test::runProcess(
        {"--data-dir", dir.path().string(), "convert", (dir / "list.csv").string()}, "/dev/full");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("cannot write to standard output"), std::string::npos) << run.err;
}
#endif

} // namespace
} // namespace mervasto

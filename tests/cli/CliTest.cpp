// The command-line tool, run in-process through its console seam (so these tests also run in
// the Windows build), and a few runs of the real program for its exit statuses and output.
#include "CliHarness.h"
#include "SearchTables.h"
#include "TestFiles.h"
#include "TestZip.h"

#include "data/Cp932Codec.h"
#include "data/Utf8.h"

#include <ostream>

namespace mervasto {
namespace {

using test::CliRun;
using test::CliTest;
using test::Json;
using test::runCli;
#ifndef _WIN32
using test::runProcess;
#endif

std::string utf8(std::u16string_view text) {
    return toUtf8(text);
}

TEST_F(CliTest, JsonObjectHoldsWhatTheWindowShows) {
    const CliRun run = search({"--json", "東京都千代田区霞が関３丁目"});
    ASSERT_EQ(run.status, 0) << run.err;
    const Json object = run.json();
    std::vector<std::string> names;
    for (const auto& item : object.items())
        names.push_back(item.key());
    EXPECT_EQ(names, (std::vector<std::string>{"lines", "code", "copy", "status", "message"}));
    EXPECT_EQ(object["lines"].size(), 2u);
    EXPECT_EQ(object["lines"][0], utf8(test::recordLine(u"1000013", u"東京都千代田区霞が関")));
    EXPECT_EQ(object["code"], "100-0099");
    EXPECT_EQ(object["copy"], true);
    EXPECT_EQ(object["status"], "2件　見つかりました。");
    EXPECT_TRUE(object["message"].is_null());
}

// Every fixture line, one per line, as `search -- -` prints them.
std::string allLinesOutput() {
    std::string expected;
    for (const auto& row : test::fixtureNationalRows())
        expected += utf8(test::textLine(row.code, row.address())) + "\n";
    return expected;
}

TEST_F(CliTest, PlainOutputIsOneLinePerResult) {
    const CliRun run = search({"--", "-"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, allLinesOutput());
}

TEST_F(CliTest, PlainOutputDropsTheAddressPadding) {
    const CliRun run = search({"東京都千代田区霞が関３丁目"});
    EXPECT_EQ(run.out, "100-0013  東京都千代田区霞が関\n100-0099  東京都千代田区霞が関 合同庁舎\n");
}

#ifndef _WIN32
TEST_F(CliTest, ProgramWritesTheSameBytes) {
    const CliRun run = runProcess({"--data-dir", dir.path().string(), "search", "--", "-"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, allLinesOutput());
}
#endif

struct ExitCase {
    const char* name;
    std::vector<std::string> arguments;
    int status;
    const char* statusText; // the JSON "status", or nullptr when the run prints no JSON
};

void PrintTo(const ExitCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class CliExit : public CliTest, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(CliExit, ReportsThroughItsExitStatus) {
    const CliRun run = search(GetParam().arguments);
    EXPECT_EQ(run.status, GetParam().status) << run.err;
    if (GetParam().statusText) {
        EXPECT_EQ(run.json()["status"], GetParam().statusText);
    }
}

const ExitCase exitCases[] = {
    {"OfficeWholeLine",
     {"--office", "--json", "100-0001　千代田郵便局"},
     0,
     "1件　見つかりました。"},
    {"NothingFound",
     {"--json", "ＺＺＺ"},
     1,
     "ＺＺＺ は、見つかりませんでした。都市名を入力して再度検索してください。"},
    {"OptionAfterDoubleDashIsTheKey",
     {"--json", "--", "--office"},
     1,
     "--office は、見つかりませんでした。都市名を入力して再度検索してください。"},
    {"EmptyKey", {"--json", ""}, 1, "　検索する住所を入力して下さい。"},
    {"OnlyOaza", {"--json", "大字"}, 1, "　検索中です。しばらくお待ちください。"},
    {"KeyMissing", {"--json"}, 2, nullptr},
    {"UnknownOption", {"--bogus", "銀座"}, 2, nullptr},
    {"DashKeyWithoutDoubleDash", {"-x"}, 2, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Search, CliExit, ::testing::ValuesIn(exitCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliTest, MissingTablesGiveTheMessageAndStatus2) {
    std::filesystem::remove(dir / "ZipCode1.txt");
    std::filesystem::remove(dir / "ZipCode2.txt");
    const CliRun address = search({"--json", "丸の内"});
    EXPECT_EQ(address.status, 2);
    EXPECT_EQ(address.json()["message"],
              "全国版の郵便番号表 ZIPCODE1.TXT が見つかりません。確認してください。");
    EXPECT_EQ(address.json()["status"], " 処理を中止します。");

    const CliRun office = search({"--office", "郵便局"});
    EXPECT_EQ(office.status, 2);
    EXPECT_NE(office.err.find("ZipCode2.txt"), std::string::npos) << office.err;
}

TEST(Cli, HelpAndUsage) {
    const CliRun help = runCli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("search"), std::string::npos);
    EXPECT_NE(help.out.find("build"), std::string::npos);
    EXPECT_NE(help.out.find("convert"), std::string::npos);
    EXPECT_EQ(runCli({}).status, 2);
    EXPECT_EQ(runCli({"build", "offices"}).status, 2);
}

#ifndef _WIN32
TEST(Cli, ProgramExitStatuses) {
    EXPECT_EQ(runProcess({"--help"}).status, 0);
    EXPECT_EQ(runProcess({}).status, 2);
    EXPECT_EQ(runProcess({"search", "--data-dir-typo"}).status, 2);
}

// What cannot be written (a full disk) makes the command fail, whatever it found.
TEST(Cli, OutputThatCannotBeWrittenFails) {
    for (const char* argument : {"where", "--help"})
        EXPECT_EQ(runProcess({argument}, "/dev/full").status, 2) << argument;
}
#endif

const char* const OfficeCsvRow =
    "01100,\"ｷﾀ29ｼﾞｮｳﾆｼ\",\"学校法人　創成学園　札幌創成高等学校\",\"北海道\",\"札幌市北区\","
    "\"北二十九条西\",\"２丁目１番１号\",\"0018501\",\"001  \",\"札幌市北\",0,0,0\r\n";

TEST_F(CliTest, BuildOfficesKeepsTheTableUnlessConfirmed) {
    test::writeCp932(dir / "JIGYOSYO.CSV", fromUtf8(OfficeCsvRow));
    const std::string table = test::readBytes(dir / "ZipCode2.txt");
    const std::vector<std::string> build = {"--data-dir", dir.path().string(), "build", "offices"};

    auto unconfirmed = build;
    unconfirmed.push_back((dir / "JIGYOSYO.CSV").string());
    const CliRun kept = runCli(unconfirmed);
    EXPECT_EQ(kept.status, 1);
    EXPECT_NE(kept.err.find("既に ZipCode2.txt データがあります。新規に作成しますか？"),
              std::string::npos);
    EXPECT_EQ(test::readBytes(dir / "ZipCode2.txt"), table);

    auto confirmed = unconfirmed;
    confirmed.insert(confirmed.end() - 1, "--yes");
    EXPECT_EQ(runCli(confirmed).status, 0);
    const CliRun found = search({"--office", "創成学園"});
    EXPECT_EQ(found.status, 0);
    EXPECT_EQ(found.out, "001-8501　学校法人創成学園札幌創成高等学校\n");
}

TEST_F(CliTest, FirstBuildCreatesTheDataDirectoryThatWherePrints) {
    test::writeCp932(dir / "JIGYOSYO.CSV", fromUtf8(OfficeCsvRow));
    const std::string userDir = (dir / "share" / "mervasto").string();

    EXPECT_EQ(
        runCli({"--data-dir", userDir, "build", "offices", (dir / "JIGYOSYO.CSV").string()}).status,
        0);
    EXPECT_TRUE(std::filesystem::is_regular_file(dir / "share" / "mervasto" / "ZipCode2.txt"));
    EXPECT_EQ(runCli({"--data-dir", userDir, "where"}).out, userDir + "\n");
}

struct InputCase {
    const char* name;
    const char* builder;
    std::string bytes; // the input file
    int status;
    const char* err; // what stderr says (besides any error message)
};

class CliInput : public CliTest, public ::testing::WithParamInterface<InputCase> {};

// Wrong files exit 1 and keep the tables; UTF-8 input says how many characters it lost.
TEST_P(CliInput, ExitStatusAndStderrTellWhatBecameOfTheFile) {
    const auto& example = GetParam();
    const auto input = dir / "input.csv";
    test::writeBytes(input, example.bytes);
    const std::string table = test::readBytes(dir / "ZipCode2.txt");

    const CliRun run = runCli(
        {"--data-dir", dir.path().string(), "build", example.builder, "--yes", input.string()});

    EXPECT_EQ(run.status, example.status);
    EXPECT_NE(run.err.find(example.err), std::string::npos) << run.err;
    if (run.status != 0) {
        EXPECT_EQ(test::readBytes(dir / "ZipCode2.txt"), table);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Build, CliInput,
    ::testing::Values(InputCase{"OfficeFileToNationalBuilder", "national",
                                encodeCp932(fromUtf8(std::string(OfficeCsvRow) + OfficeCsvRow)), 1,
                                "input.csv: row 1: column 3 is not a seven-digit postal code"},
                      InputCase{"EmptyFile", "offices", "", 1, "input.csv: the file holds no rows"},
                      InputCase{"Utf8WithACharacterCp932CannotHold", "offices",
                                "01100,,\"Caf\xC3\xA9\",\"北海道\",,,,\"0018501\",,,0,0,0\r\n", 0,
                                "CP932 で表せない文字 1 個を「〓」に置き換えました。\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliTest, BuildFailureReportsTheErrorMessage) {
    const CliRun run = runCli({"--data-dir", dir.path().string(), "build", "national", "--yes",
                               (dir / "KEN_ALL.CSV").string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("エラーが発生しました。作業を中止します。"), std::string::npos);
}

// The first command that reads the tables builds them from the data carried beside the
// program, in one line on stderr; commands that read none leave the directory alone.
struct FirstCommandCase {
    const char* name;
    std::vector<std::string> arguments; // after --data-dir DIR
    std::string input;
    std::string outEnd; // how standard output ends
    bool builds;
};

void PrintTo(const FirstCommandCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class CliFirstCommand : public ::testing::TestWithParam<FirstCommandCase> {};

TEST_P(CliFirstCommand, BuildsFromTheCarriedDataWhenItReadsTables) {
    const test::TempDir root;
    test::writeCarriedData(root / "program", {2025, 9, 30, 0, 0, 0});
    const std::string tables = (root / "tables").string();
    auto arguments = GetParam().arguments;
    arguments.insert(arguments.begin(), {"--data-dir", tables});

    const CliRun first = runCli(arguments, GetParam().input, root / "program");
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_TRUE(first.out.ends_with(GetParam().outEnd)) << first.out;
    const std::string line = "mervasto-cli: building the tables in " + tables +
                             " from the postal data that came with the program\n";
    EXPECT_EQ(first.err.starts_with(line), GetParam().builds) << first.err;
    EXPECT_EQ(std::filesystem::exists(root / "tables" / "ZipCode2.txt"), GetParam().builds);

    const CliRun again = runCli(arguments, GetParam().input, root / "program");
    EXPECT_EQ(again.out, first.out);
    EXPECT_FALSE(again.err.starts_with(line)) << again.err;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CliFirstCommand,
    ::testing::Values(FirstCommandCase{"Search",
                                       {"search", "東京都千代田区丸の内"},
                                       "",
                                       "100-0005  東京都千代田区丸の内\n",
                                       true},
                      FirstCommandCase{"OfficeSearch",
                                       {"search", "--office", "東京中央郵便局"},
                                       "",
                                       "100-8994　東京中央郵便局\n",
                                       true},
                      FirstCommandCase{"Convert",
                                       {"convert"},
                                       "東京都千代田区丸の内\n",
                                       "東京都千代田区丸の内,100-0005,1,一致\n",
                                       true},
                      FirstCommandCase{"Where", {"where"}, "", "tables\n", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliFirstCommand, FailedBuildSaysWhyAndTheSearchFindsNoTables) {
    const test::TempDir root;
    test::writeCarriedData(root / "program", {2025, 9, 30, 0, 0, 0});
    test::writeBytes(root / "tables", "a file where the directory should be");
    const CliRun run = runCli({"--data-dir", (root / "tables").string(), "search", "丸の内"}, {},
                              root / "program");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("mervasto-cli: the tables could not be built: "), std::string::npos)
        << run.err;
}

} // namespace
} // namespace mervasto
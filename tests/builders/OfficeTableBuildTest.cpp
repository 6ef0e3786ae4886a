#include "builders/OfficeTableBuild.h"
#include "BuildTestSupport.h"
#include "builders/BuildText.h"
#include "data/TablePaths.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace fs = std::filesystem;

namespace mervasto::test {
namespace {

// A JIGYOSYO.CSV record with the name (column 3) and the postal code (column 8) given.
std::u16string record(std::u16string_view code, std::u16string_view name) {
    return u"13101,\"ﾃｽﾄ\",\"" + std::u16string(name) +
           u"\",\"東京都\",\"千代田区\",\"丸の内\",\"１丁目１\",\"" + std::u16string(code) +
           u"\",\"100  \",\"千代田\",0,0,0\r\n";
}

std::u16string records(int count) {
    std::u16string csv;
    for (int i = 0; i < count; ++i)
        csv += u"13101,,N,東京都,,,,1000001,,,0,0,0\r\n";
    return csv;
}

class OfficeBuild : public ::testing::Test {
protected:
    BuildOutcome build(OverwriteAnswer answer = OverwriteAnswer::Yes) {
        ask = ScriptedAsk(answer);
        progress.events.clear();
        return buildOfficeTable(place.csv, place.dataDir, ask.callback(), progress);
    }
    BuildOutcome build(std::u16string_view csv) {
        writeCp932(place.csv, csv);
        return build();
    }
    std::string table() const { return place.bytes("ZipCode2.txt"); }

    BuildPlace place;
    ScriptedAsk ask;
    RecordingProgress progress;
};

struct LineCase {
    std::u16string code;
    std::u16string name; // column 3 as the CSV gives it
    std::u16string line; // the table line without its CR LF
};

TEST_F(OfficeBuild, EachRecordGivesItsCodeAndPreparedName) {
    const std::vector<LineCase> cases = {
        {u"1000001", u"（株）サンプル商事　東京支店", u"100-0001　株式会社サンプル商事東京支店"},
        {u"1000002", u"（株）サンプル（株）", u"100-0002　株式会社サンプル（株）"},
        {u"1000003", u"サンプル（株）", u"100-0003　サンプル株式会社"},
        {u"1000004", u"（株）　本店", u"100-0004　株式会社本店"},
        {u"1000005", u"　Ａ　　Ｂ　Ｃ　", u"100-0005　ＡＢＣ"},
        {u"1000006", u"(株)ABC ｻﾝﾌﾟﾙ", u"100-0006　(株)ABC ｻﾝﾌﾟﾙ"},
        {u"1000007", u"ABC,Inc", u"100-0007　ABC,Inc"},
        {u"1000008", u"", u"100-0008　"},
    };
    std::u16string csv, expected;
    for (const auto& example : cases) {
        csv += record(example.code, example.name);
        expected += example.line + u"\r\n";
    }

    const auto outcome = build(csv);

    ASSERT_EQ(outcome.result, BuildResult::Completed) << outcome.detail;
    EXPECT_EQ(table(), cp932(expected));
}

TEST_F(OfficeBuild, RecordsAreCountedOverTheItemStream) {
    const auto outcome =
        build(u"13101,2,本店,東京都,5,6\r\n7,1000001,9,10,0,0,0\r\n" + record(u"1000002", u"支店"));

    ASSERT_EQ(outcome.result, BuildResult::Completed) << outcome.detail;
    EXPECT_EQ(table(), cp932(u"100-0001　本店\r\n100-0002　支店\r\n"));
    EXPECT_EQ(progress.events,
              (std::vector<std::string>{"range 0 50000", "value 1", "value 2", "value 50000"}));
}

TEST_F(OfficeBuild, NoQuestionWhenTheTableIsEmpty) {
    writeBytes(place.dataDir / "ZipCode2.txt", "");

    EXPECT_EQ(build(record(u"1000001", u"本店")).result, BuildResult::Completed);
    EXPECT_TRUE(ask.questions.empty());
}

struct AnswerCase {
    OverwriteAnswer answer;
    BuildResult result;
    bool replaced;
};

class OfficeOverwrite : public OfficeBuild, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(OfficeOverwrite, QuestionIsAskedBeforeAnythingIsWritten) {
    writeBytes(place.dataDir / "ZipCode2.txt", "old table\r\n");
    writeCp932(place.csv, record(u"1000001", u"本店"));

    EXPECT_EQ(build(GetParam().answer).result, GetParam().result);

    EXPECT_EQ(ask.questions, std::vector<std::u16string>{BuildText::OfficeQuestion});
    EXPECT_EQ(table(), GetParam().replaced ? cp932(u"100-0001　本店\r\n") : "old table\r\n");
    EXPECT_EQ(place.listing(),
              GetParam().replaced ? "TableSources.txt\nZipCode2.txt\n" : "ZipCode2.txt\n");
}

INSTANTIATE_TEST_SUITE_P(
    Answers, OfficeOverwrite,
    ::testing::Values(AnswerCase{OverwriteAnswer::Yes, BuildResult::Completed, true},
                      AnswerCase{OverwriteAnswer::No, BuildResult::Declined, false},
                      AnswerCase{OverwriteAnswer::Cancel, BuildResult::Cancelled, false}));

TEST_F(OfficeBuild, TableSpelledAsTheSearchOpensItIsReplacedInPlace) {
    writeBytes(place.dataDir / "ZIPCODE2.txt", "old table\r\n");

    ASSERT_EQ(build(record(u"1000001", u"本店")).result, BuildResult::Completed);

    EXPECT_EQ(ask.questions.size(), 1u);
    EXPECT_EQ(readBytes(resolveTablePath(place.dataDir, "ZIPCODE2.txt")),
              cp932(u"100-0001　本店\r\n"));
    const auto names = place.listing();
    EXPECT_EQ(std::count(names.begin(), names.end(), '\n'), 2); // with the source record
}

TEST_F(OfficeBuild, LargestRecordCountFits) {
    ASSERT_EQ(build(records(32767)).result, BuildResult::Completed);

    EXPECT_EQ(table().size(), 32767u * cp932(u"100-0001　N\r\n").size());
}

TEST_F(OfficeBuild, FailureLeavesTheTableAsItWas) {
    struct Failure {
        const char* name;
        std::u16string csv; // empty: no CSV file
        BuildResult result;
        const char* detail;
    };
    const std::vector<Failure> failures = {
        {"record count overflows", records(32768), BuildResult::Failed, "business-office records"},
        {"missing CSV", {}, BuildResult::Failed, "cannot open"},
        // Files that are not JIGYOSYO.CSV are refused.
        {"empty file", u"\r\n", BuildResult::Refused, "input.csv: row 1 ends after 1 of 13 items"},
        {"trailing incomplete record", record(u"1000001", u"本店") + u"13101,2,未完\r\n",
         BuildResult::Refused, "row 2 ends after 3 of 13 items"},
        {"short postal code", record(u"12345", u"短"), BuildResult::Refused,
         "row 1: column 8 is not a seven-digit postal code: \"12345\""},
        {"national file",
         u"13101,\"100  "
         u"\",\"1000001\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ﾏﾙﾉｳﾁ\",\"東京都\",\"千代田区\",\"丸の内\","
         u"0,0,0,0,0,0\r\n",
         BuildResult::Refused, "row 1: column 4 is not a prefecture: \"ﾄｳｷｮｳﾄ\""},
    };
    writeBytes(place.dataDir / "ZipCode2.txt", "old table\r\n");
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.name);
        if (failure.csv.empty())
            fs::remove(place.csv);
        else
            writeCp932(place.csv, failure.csv);

        const auto outcome = build();

        EXPECT_EQ(outcome.result, failure.result);
        EXPECT_NE(outcome.detail.find(failure.detail), std::string::npos) << outcome.detail;
        EXPECT_EQ(table(), "old table\r\n");
        EXPECT_EQ(place.listing(), "ZipCode2.txt\n");
    }
}

// The first build makes the per-user data directory.
TEST_F(OfficeBuild, MissingDataDirectoryIsCreated) {
    writeCp932(place.csv, record(u"1000001", u"本店"));
    place.dataDir /= "absent";

    EXPECT_EQ(build().result, BuildResult::Completed);
    EXPECT_TRUE(std::filesystem::is_regular_file(place.dataDir / "ZipCode2.txt"));
}

} // namespace
} // namespace mervasto::test

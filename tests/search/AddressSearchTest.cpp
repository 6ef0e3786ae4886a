#include "SearchTables.h"
#include "TestFiles.h"

#include "data/IndexLoader.h"
#include "data/Utf8.h"
#include "search/Search.h"
#include "search/SearchText.h"

#include <gtest/gtest.h>

#include <ostream>

#include <memory>

namespace mervasto {
namespace {

using test::recordLine;
using test::textLine;

const std::u16string NotFound = SearchText::AddressNotFoundSuffix;
const std::u16string Found = SearchText::FoundCountSuffix;

// The fixture's national tables in a temporary directory, with the index loaded from them.
class AddressSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeNationalTables(dir.path(), test::fixtureNationalRows());
        ASSERT_TRUE(loadIndexTable(dir.path(), *index));
    }

    SearchOutcome search(std::u16string_view key) const {
        return runSearch(dir.path(), *index, key, false);
    }

    test::TempDir dir;
    std::unique_ptr<IndexTable> index = std::make_unique<IndexTable>();
};

struct FoundCase {
    const char* name;
    std::u16string key;
    ResultLines lines;
    std::u16string code; // empty: no exact hit, copy stays disabled
};

void PrintTo(const FoundCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class AddressSearchFinds : public AddressSearchTest,
                           public ::testing::WithParamInterface<FoundCase> {};

TEST_P(AddressSearchFinds, ListsTheMatchesAndTheLastExactHit) {
    const FoundCase& expected = GetParam();
    const SearchOutcome outcome = search(expected.key);

    EXPECT_EQ(outcome.lines, expected.lines);
    EXPECT_EQ(outcome.code, expected.code);
    EXPECT_EQ(outcome.copyEnabled, !expected.code.empty());
    EXPECT_EQ(outcome.status, fromUtf8(std::to_string(expected.lines.size())) + Found);
    EXPECT_FALSE(outcome.message);
    EXPECT_TRUE(outcome.beep);
    EXPECT_TRUE(outcome.buttonsEnabled);
    EXPECT_TRUE(outcome.focusText2);
}

const FoundCase foundCases[] = {
    {"PrefectureAndCityThenTownWithBlock",
     u"東京都千代田区霞が関３丁目",
     {recordLine(u"1000013", u"東京都千代田区霞が関"),
      recordLine(u"1000099", u"東京都千代田区霞が関 合同庁舎")},
     u"100-0099"},
    {"KeyInsideAnAddressIsAPartialHit",
     u"東京都千代田区丸の内",
     {recordLine(u"1000005", u"東京都千代田区丸の内（次のビルを除く）")},
     u""},
    {"FirstIndexEntryCoversOnlyItsOwnRun",
     u"北海道札幌市中央区",
     {recordLine(u"0600000", u"北海道札幌市中央区以下に掲載がない場合"),
      recordLine(u"0600042", u"北海道札幌市中央区大通西（１～１９丁目）"),
      recordLine(u"0640941", u"北海道札幌市中央区旭ケ丘"),
      recordLine(u"0600098", u"北海道札幌市中央区ABCDEFGHIJKLMNOPQRST UV"),
      recordLine(u"0600097", u"北海道札幌市中央区ABCDEFGHIJKLMNOPQRSTU VW")},
     u""},
    {"SpaceCutAtPosition30ButNot31",
     u"北海道札幌市中央区ABCDEFGHIJKLMNOPQRSTU",
     {recordLine(u"0600098", u"北海道札幌市中央区ABCDEFGHIJKLMNOPQRST UV"),
      recordLine(u"0600097", u"北海道札幌市中央区ABCDEFGHIJKLMNOPQRSTU VW")},
     u"060-0098"},
    {"EarlierIndexEntryWinsOverEarlierInKey",
     u"東京都中央区銀座東京都千代田区霞が関",
     {recordLine(u"1000013", u"東京都千代田区霞が関"),
      recordLine(u"1000099", u"東京都千代田区霞が関 合同庁舎")},
     u"100-0099"},
    {"CityWithoutPrefectureFoundByCityName",
     u"中央区銀座",
     {recordLine(u"1040061", u"東京都中央区銀座")},
     u""},
    {"NarrowedFromTheEndUntilSomethingMatches",
     u"千代田区外神田９丁目",
     {recordLine(u"1010021", u"東京都千代田区外神田")},
     u""},
    {"OazaRemovedFromTheKey",
     u"埼玉県川口市大字安行",
     {recordLine(u"3340001", u"埼玉県川口市安行"),
      recordLine(u"3340002", u"埼玉県川口市安行領根岸")},
     u"334-0001"},
    {"OnlyTheFirstOazaRemoved",
     u"埼玉県川口市大字安行大字",
     {recordLine(u"3340001", u"埼玉県川口市安行")},
     u"334-0001"},
    {"TextPassForATownAlone",
     u"丸の内",
     {textLine(u"1000005", u"東京都千代田区丸の内（次のビルを除く）")},
     u""},
    {"TextPassForAPostalCodeWithHyphen",
     u"104-0061",
     {textLine(u"1040061", u"東京都中央区銀座")},
     u""},
    {"TextPassKeepsACommaInsideItsLine",
     u"Inc",
     {textLine(u"1040098", u"東京都中央区ABC,Inc")},
     u""},
};

INSTANTIATE_TEST_SUITE_P(Fixture, AddressSearchFinds, ::testing::ValuesIn(foundCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AddressSearchTest, HyphenAloneListsEveryLineOfTheTextList) {
    const SearchOutcome outcome = search(u"-");
    const auto rows = test::fixtureNationalRows();
    ASSERT_EQ(outcome.lines.size(), rows.size());
    EXPECT_EQ(outcome.lines.back(), textLine(rows.back().code, rows.back().address()));
    EXPECT_EQ(outcome.status, u"16" + Found);
}

TEST_F(AddressSearchTest, NothingFoundShowsTheKeyAsTyped) {
    const SearchOutcome outcome = search(u"大字ＺＺＺ");
    EXPECT_TRUE(outcome.lines.empty());
    EXPECT_EQ(outcome.status, u"大字ＺＺＺ" + NotFound);
    EXPECT_TRUE(outcome.beep);
    EXPECT_TRUE(outcome.buttonsEnabled);
    EXPECT_FALSE(outcome.message);
}

TEST_F(AddressSearchTest, EmptyKeyAsksForAnAddressInBothModes) {
    for (const bool officeMode : {false, true}) {
        const SearchOutcome outcome = runSearch(dir.path() / "absent", *index, u"", officeMode);
        EXPECT_EQ(outcome.status, SearchText::EnterAddress);
        EXPECT_TRUE(outcome.beep);
        EXPECT_FALSE(outcome.buttonsEnabled);
        EXPECT_TRUE(outcome.focusText2);
        EXPECT_FALSE(outcome.message);
    }
}

TEST_F(AddressSearchTest, KeyOfOnlyOazaEndsSilently) {
    const SearchOutcome outcome = search(u"大字");
    EXPECT_TRUE(outcome.lines.empty());
    EXPECT_EQ(outcome.status, SearchText::Searching);
    EXPECT_FALSE(outcome.beep);
    EXPECT_FALSE(outcome.buttonsEnabled);
    EXPECT_TRUE(outcome.focusText2);
    EXPECT_FALSE(outcome.message);
}

// The error path: the message box, the aborted status, nothing re-enabled.
void expectAborted(const SearchOutcome& outcome) {
    ASSERT_TRUE(outcome.message);
    EXPECT_EQ(outcome.message->text, SearchText::AddressTableMissing);
    EXPECT_EQ(outcome.message->title, u"Error Check");
    EXPECT_EQ(outcome.status, SearchText::Aborted);
    EXPECT_FALSE(outcome.beep);
    EXPECT_FALSE(outcome.buttonsEnabled);
    EXPECT_TRUE(outcome.focusText2);
}

TEST_F(AddressSearchTest, MissingTextListTakesTheErrorPath) {
    std::filesystem::remove(dir / "ZipCode1.txt");
    const SearchOutcome outcome = search(u"丸の内");
    expectAborted(outcome);
    EXPECT_TRUE(outcome.lines.empty());
}

TEST_F(AddressSearchTest, MissingTextListIsNotNeededWhenTheIndexAnswers) {
    std::filesystem::remove(dir / "ZipCode1.txt");
    EXPECT_EQ(search(u"中央区銀座").lines.size(), 1u);
}

TEST_F(AddressSearchTest, SixteenBitOverflowsTakeTheErrorPath) {
    // Narrowing counts its attempts in 16 bits: a key of 32769 characters cannot be narrowed.
    expectAborted(search(std::u16string(32769, u'ア')));
    // The position of an address in the key is a 16-bit value too.
    expectAborted(search(std::u16string(32767, u'ア') + u"東京都千代田区霞が関"));
}

TEST_F(AddressSearchTest, MissingRecordFileReadsAsEmptyAndIsNotCreated) {
    std::filesystem::remove(dir / "ZIPCODE.TXT");
    const SearchOutcome outcome = search(u"東京都千代田区霞が関");
    EXPECT_EQ(outcome.lines, (ResultLines{textLine(u"1000013", u"東京都千代田区霞が関"),
                                          textLine(u"1000099", u"東京都千代田区霞が関 合同庁舎")}));
    EXPECT_FALSE(outcome.message);
    EXPECT_EQ(test::listDirectory(dir.path()), "ZIPID1.txt\nZipCode1.txt\n");
}

TEST_F(AddressSearchTest, TextPassReportsTheGrowingListNowAndThen) {
    std::vector<test::NationalRow> rows(10000, {u"1000000", u"東京都", u"千代田区", u"番地"});
    test::writeNationalTables(dir.path(), rows);
    std::vector<std::size_t> reported;
    const SearchOutcome outcome =
        searchAddress(dir.path(), IndexTable{}, u"-",
                      [&](const ResultLines& lines) { reported.push_back(lines.size()); });
    EXPECT_EQ(outcome.lines.size(), 10000u);
    EXPECT_EQ(outcome.status, u"10000" + Found);
    EXPECT_EQ(reported, (std::vector<std::size_t>{4096, 8192}));
}

// Hand-made indexes: entries that point past the record file, an index without its closing
// entry, and no index at all.
struct IndexCase {
    const char* name;
    std::vector<std::u16string> keys;
    std::vector<std::int32_t> firstRecords;
};

void PrintTo(const IndexCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class AddressSearchWithIndex : public AddressSearchTest,
                               public ::testing::WithParamInterface<IndexCase> {};

TEST_P(AddressSearchWithIndex, FallsBackToTheTextPassWithoutError) {
    IndexTable handMade;
    for (const auto& key : GetParam().keys) {
        handMade.Key[handMade.Count] = key;
        handMade.City[handMade.Count] = key.empty() ? u"" : u"千代田区";
        handMade.FirstRecord[handMade.Count] = GetParam().firstRecords[handMade.Count];
        handMade.incrementCount();
    }
    const std::u16string wholeLine = textLine(u"1000013", u"東京都千代田区霞が関");
    const SearchOutcome outcome = runSearch(dir.path(), handMade, wholeLine, false);
    EXPECT_EQ(outcome.lines, ResultLines{wholeLine});
    EXPECT_EQ(outcome.code, u"100-0013");
    EXPECT_TRUE(outcome.copyEnabled);
    EXPECT_FALSE(outcome.message);
}

const IndexCase indexCases[] = {
    {"RecordsPastTheEndAreAbsent", {u"東京都千代田区", u""}, {1000, 1005}},
    {"LastLoadedEntryCoversNoRecords", {u"東京都千代田区"}, {6}},
    {"EmptyIndex", {}, {}},
};

INSTANTIATE_TEST_SUITE_P(HandMade, AddressSearchWithIndex, ::testing::ValuesIn(indexCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace mervasto

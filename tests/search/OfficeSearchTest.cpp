#include "SearchTables.h"
#include "TestFiles.h"

#include "data/Filest.h"
#include "data/Utf8.h"
#include "search/Search.h"
#include "search/SearchText.h"

#include <gtest/gtest.h>

#include <ostream>

namespace mervasto {
namespace {

const std::u16string Sample = u"100-0001　株式会社サンプル商事東京支店";
const std::u16string PostOffice = u"100-0001　千代田郵便局";
const std::u16string Prefecture = u"060-8588　北海道庁";
const std::u16string WithComma = u"100-8994　ABC,Inc";

struct OfficeCase {
    const char* name;
    std::u16string key;
    ResultLines lines;
    std::u16string code; // empty: no whole entry in the key, copy stays disabled
};

void PrintTo(const OfficeCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class OfficeSearchFinds : public ::testing::TestWithParam<OfficeCase> {};

TEST_P(OfficeSearchFinds, ListsEntriesThatContainTheKeyOrLieInIt) {
    const test::TempDir dir;
    test::writeOfficeTable(dir.path(), test::fixtureOfficeLines());
    const OfficeCase& expected = GetParam();

    const SearchOutcome outcome = runSearch(dir.path(), IndexTable{}, expected.key, true);

    EXPECT_EQ(outcome.lines, expected.lines);
    EXPECT_EQ(outcome.code, expected.code);
    EXPECT_EQ(outcome.copyEnabled, !expected.code.empty());
    if (expected.lines.empty())
        EXPECT_EQ(outcome.status, expected.key + SearchText::OfficeNotFoundSuffix);
    else
        EXPECT_EQ(outcome.status,
                  fromUtf8(std::to_string(expected.lines.size())) + SearchText::FoundCountSuffix);
    EXPECT_FALSE(outcome.message);
    EXPECT_TRUE(outcome.beep);
    EXPECT_TRUE(outcome.buttonsEnabled);
    EXPECT_TRUE(outcome.focusText2);
}

const OfficeCase officeCases[] = {
    {"PartOfAName", u"サンプル", {Sample}, u""},
    {"WholeLine", PostOffice, {PostOffice}, u"100-0001"},
    {"TextContainingAWholeLine", u"〒" + PostOffice + u"まで", {PostOffice}, u"100-0001"},
    {"TwoWholeLinesTheLastWins", Prefecture + PostOffice, {PostOffice, Prefecture}, u"060-8588"},
    {"PostalCode", u"100-0001", {Sample, PostOffice}, u""},
    {"HyphenMatchesEveryEntry", u"-", {Sample, PostOffice, Prefecture, WithComma}, u""},
    {"CommaStaysInsideItsEntry", u"Inc", {WithComma}, u""},
    {"AbbreviatedCompanyIsNotFound", u"（株）サンプル", {}, u""},
    {"TrailingSpaceMustMatchToo", u"北海道庁 ", {}, u""},
};

INSTANTIATE_TEST_SUITE_P(Fixture, OfficeSearchFinds, ::testing::ValuesIn(officeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OfficeSearch, EmptyTableFindsNothing) {
    const test::TempDir dir;
    test::writeBytes(dir / "ZipCode2.txt", "");
    const SearchOutcome outcome = searchOffices(dir.path(), u"郵便局");
    EXPECT_TRUE(outcome.lines.empty());
    EXPECT_EQ(outcome.status, u"郵便局" + std::u16string(SearchText::OfficeNotFoundSuffix));
    EXPECT_TRUE(outcome.beep);
    EXPECT_FALSE(outcome.message);
}

TEST(OfficeSearch, MissingTableTakesTheErrorPath) {
    const test::TempDir dir;
    const SearchOutcome outcome = searchOffices(dir.path(), u"郵便局");
    ASSERT_TRUE(outcome.message);
    EXPECT_EQ(outcome.message->text,
              u"事業所の個別郵便番号表 ZipCode2.txt が見つかりません。確認してください。");
    EXPECT_EQ(outcome.message->title, u"Error Check");
    EXPECT_EQ(outcome.status, u" 処理を中止します。");
    EXPECT_FALSE(outcome.beep);
    EXPECT_FALSE(outcome.buttonsEnabled);
    EXPECT_FALSE(outcome.focusText2);
}

TEST(OfficeSearch, LinesEndingInLoneLineFeedsAreEntriesToo) {
    const test::TempDir dir;
    test::writeCp932(dir / "ZipCode2.txt", PostOffice + u"\n" + Prefecture);
    EXPECT_EQ(searchOffices(dir.path(), u"-").lines, (ResultLines{PostOffice, Prefecture}));
}

} // namespace
} // namespace mervasto

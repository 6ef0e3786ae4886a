// How sure the conversion is of each address's code: the status of every way a search ends,
// the spelling variants, and the doubts that keep a code from being called sure.
#include "SearchTables.h"
#include "TestFiles.h"

#include "data/IndexLoader.h"
#include "search/BatchSearch.h"

#include <gtest/gtest.h>

#include <memory>

namespace mervasto {
namespace {

// Towns chosen for their spellings: kanji and Arabic numbers before 条, ケ, a town that
// begins another one's name, a city name found in two prefectures.
const std::vector<test::NationalRow> rows = {
    {u"0040000", u"北海道", u"札幌市清田区", u"以下に掲載がない場合"},
    {u"0040831", u"北海道", u"札幌市清田区", u"清田一条"},
    {u"0010029", u"北海道", u"札幌市北区", u"北二十九条西"},
    {u"0010010", u"北海道", u"札幌市北区", u"北十条西"},
    {u"0798413", u"北海道", u"旭川市", u"永山３条"},
    {u"9638035", u"福島県", u"郡山市", u"希望ケ丘"},
    {u"1080075", u"東京都", u"港区", u"港南"},
    {u"1080074", u"東京都", u"港区", u"高輪"},
    {u"1830001", u"東京都", u"府中市", u"浅間町"},
    {u"7260005", u"広島県", u"府中市", u"府中町"},
    {u"3800811", u"長野県", u"長野市", u"鶴賀"},
    {u"4440802", u"愛知県", u"岡崎市", u"美合町"},
    {u"4440803", u"愛知県", u"岡崎市", u"美合町入込"},
};

struct AnswerCase {
    const char* name;
    std::u16string_view address;
    AnswerStatus status;
    std::u16string_view code;
};

void PrintTo(const AnswerCase& c, std::ostream* out) {
    *out << c.name;
}

class AddressAnswers : public ::testing::TestWithParam<AnswerCase> {
protected:
    void SetUp() override {
        test::writeNationalTables(dir.path(), rows);
        ASSERT_TRUE(loadIndexTable(dir.path(), *index));
    }

    test::TempDir dir;
    std::unique_ptr<IndexTable> index = std::make_unique<IndexTable>();
};

TEST_P(AddressAnswers, StateHowSureTheCodeIs) {
    BatchSearch batch(dir.path(), *index);
    const AddressAnswer answer = batch.answer(GetParam().address);
    EXPECT_EQ(answerStatusText(answer.status), answerStatusText(GetParam().status));
    EXPECT_EQ(answer.code, GetParam().code);
    EXPECT_TRUE(answer.answered);
}

const AnswerCase answerCases[] = {
    {"OneTownWithItsBlock", u"東京都港区港南２丁目１６－１", AnswerStatus::Exact, u"108-0075"},
    {"KanjiWhereTheFileHasArabic", u"北海道旭川市永山三条１２丁目", AnswerStatus::Corrected,
     u"079-8413"},
    {"ArabicWhereTheFileHasKanji", u"北海道札幌市北区北29条西２丁目", AnswerStatus::Corrected,
     u"001-0029"},
    {"SmallKeForLarge", u"福島県郡山市希望ヶ丘３１番２６号", AnswerStatus::Corrected, u"963-8035"},
    {"HiraganaGaForKe", u"福島県郡山市希望が丘３１", AnswerStatus::Corrected, u"963-8035"},
    {"OazaAndSpaces", u"長野県 長野市 大字鶴賀 ７１０", AnswerStatus::Corrected, u"380-0811"},
    {"NarrowedThenCorrected", u"北海道札幌市清田区清田1条1丁目", AnswerStatus::Corrected,
     u"004-0831"},
    {"NarrowedToAnotherTownIsNoSureCode", u"北海道札幌市清田区清田7条1丁目", AnswerStatus::Partial,
     u"004-0831"},
    // 美合町 begins 美合町入込: the shorter town, found as written, is not a sure one.
    {"TownThatBeginsALongerOne", u"愛知県岡崎市美合町字入込４５", AnswerStatus::Partial,
     u"444-0802"},
    {"TownFollowedByTheNumberOfATownPart", u"北海道札幌市北区北十条西3線1", AnswerStatus::Partial,
     u"001-0010"},
    {"WithoutPrefectureTheSoleLineGivesItsCode", u"札幌市北区北二十九条西", AnswerStatus::Partial,
     u"001-0029"},
    {"WithoutPrefectureAndWithBlock", u"札幌市北区北二十九条西２丁目", AnswerStatus::Partial,
     u"001-0029"},
    {"CityNameOfTwoPrefectures", u"府中市浅間町１", AnswerStatus::Partial, u"183-0001"},
    {"SeveralLines", u"東京都港区", AnswerStatus::Ambiguous, u""},
    {"TextPassSoleLine", u"港南", AnswerStatus::Partial, u"108-0075"},
    {"PostalCodeAsKey", u"108-0075", AnswerStatus::Partial, u"108-0075"},
    {"NotFound", u"架空県架空市希望ヶ丘１", AnswerStatus::NotFound, u""},
    // A corrected spelling never gives a not-found address another town's code.
    {"UnknownCityWithAKnownTownStaysNotFound", u"架空市清田1条1丁目", AnswerStatus::NotFound, u""},
};

INSTANTIATE_TEST_SUITE_P(Addresses, AddressAnswers, ::testing::ValuesIn(answerCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AddressAnswer, SearchOnTheErrorPathIsAnError) {
    test::TempDir dir;
    test::writeNationalTables(dir.path(), rows);
    const auto index = std::make_unique<IndexTable>();
    ASSERT_TRUE(loadIndexTable(dir.path(), *index));
    std::filesystem::remove(dir / "ZipCode1.txt");
    BatchSearch batch(dir.path(), *index);
    const AddressAnswer answer = batch.answer(u"架空市");
    EXPECT_FALSE(answer.answered);
    EXPECT_EQ(answer.status, AnswerStatus::Error);
    EXPECT_TRUE(answer.code.empty());
}

TEST(AnswerStatus, TextsAsWrittenInTheList) {
    EXPECT_EQ(answerStatusText(AnswerStatus::Exact), u"一致");
    EXPECT_EQ(answerStatusText(AnswerStatus::Corrected), u"補正一致");
    EXPECT_EQ(answerStatusText(AnswerStatus::Partial), u"部分一致");
    EXPECT_EQ(answerStatusText(AnswerStatus::Ambiguous), u"複数候補");
    EXPECT_EQ(answerStatusText(AnswerStatus::NotFound), u"該当なし");
    EXPECT_EQ(answerStatusText(AnswerStatus::Error), u"エラー");
}

} // namespace
} // namespace mervasto

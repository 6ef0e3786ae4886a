// Many addresses on one set of tables: the same answers as one search at a time, and the
// conversion of an address list around them.
#include "SearchTables.h"
#include "TestFiles.h"

#include "data/Cp932Codec.h"
#include "data/IndexLoader.h"
#include "data/ItemReader.h"
#include "search/AddressListConversion.h"
#include "search/BatchSearch.h"
#include "search/Search.h"

#include <gtest/gtest.h>

#include <memory>

namespace mervasto {
namespace {

using test::textLine;

class BatchSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeNationalTables(dir.path(), test::fixtureNationalRows());
        ASSERT_TRUE(loadIndexTable(dir.path(), *index));
    }

    test::TempDir dir;
    std::unique_ptr<IndexTable> index = std::make_unique<IndexTable>();
};

// Keys for every way a search ends: each stage, the text pass with exact and partial hits,
// codes, a one-character key, an empty key, "大字" alone, nothing found, 16-bit overflows.
const std::u16string equivalenceKeys[] = {
    u"東京都千代田区霞が関３丁目",
    u"中央区銀座",
    u"千代田区外神田９丁目",
    u"埼玉県川口市大字安行",
    u"丸の内",
    u"Inc",
    u"-",
    u"丸",
    textLine(u"1000013", u"東京都千代田区霞が関"),
    u"前" + textLine(u"1040061", u"東京都中央区銀座") + textLine(u"1040031", u"東京都中央区京橋"),
    u"1000005",
    u"１０４ー００６１",
    u"",
    u"大字",
    u"大字ＺＺＺ",
    std::u16string(32769, u'ア'),
};

void expectSameOutcome(const SearchOutcome& batch, const SearchOutcome& single) {
    EXPECT_EQ(batch.lines, single.lines);
    EXPECT_EQ(batch.code, single.code);
    EXPECT_EQ(batch.copyEnabled, single.copyEnabled);
    EXPECT_EQ(batch.status, single.status);
    EXPECT_EQ(batch.message.has_value(), single.message.has_value());
    EXPECT_EQ(batch.beep, single.beep);
    EXPECT_EQ(batch.buttonsEnabled, single.buttonsEnabled);
    EXPECT_EQ(batch.detail, single.detail);
}

TEST_F(BatchSearchTest, AnswersAsOneSearchAtATime) {
    // Without ZIPCODE.TXT every key reaches the text pass; without ZipCode1.txt the text pass
    // takes the error path.
    for (const char* removed : {"", "ZIPCODE.TXT", "ZipCode1.txt"}) {
        test::writeNationalTables(dir.path(), test::fixtureNationalRows());
        if (*removed)
            std::filesystem::remove(dir / removed);
        BatchSearch batch(dir.path(), *index);
        for (const std::u16string& key : equivalenceKeys) {
            SCOPED_TRACE(testing::Message()
                         << "key of " << key.size() << " characters, without " << removed);
            expectSameOutcome(batch.search(key), runSearch(dir.path(), *index, key, false));
        }
    }
}

TEST_F(BatchSearchTest, DamagedTextListListsWhatWasReadThenTakesTheErrorPath) {
    // A line too long for the item reader ends the file pass after the lines before it.
    const std::string table = test::readBytes(dir / "ZipCode1.txt");
    test::writeBytes(dir / "ZipCode1.txt",
                     table + std::string(ItemReader::maxItemLength + 1, 'x') + "\r\n");
    BatchSearch batch(dir.path(), *index);
    for (const std::u16string_view key : {u"丸の内", u"-"}) {
        const SearchOutcome single = runSearch(dir.path(), *index, key, false);
        ASSERT_TRUE(single.message);
        expectSameOutcome(batch.search(key), single);
    }
}

struct ConversionCase {
    const char* name;
    AddressListOptions options;
    std::string input; // UTF-8
    std::string output;
};

void PrintTo(const ConversionCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class AddressListConverts : public BatchSearchTest,
                            public ::testing::WithParamInterface<ConversionCase> {};

TEST_P(AddressListConverts, AppendsCodeAndCount) {
    BatchSearch batch(dir.path(), *index);
    AddressListConversion conversion(GetParam().input, GetParam().options);
    while (!conversion.done())
        conversion.convertNext(batch);
    EXPECT_EQ(conversion.outputBytes(), GetParam().output);
    EXPECT_TRUE(conversion.allAnswered());
}

const ConversionCase conversionCases[] = {
    {"OneAddressPerLine",
     {},
     "東京都千代田区霞が関３丁目\n丸の内\n\nＺＺＺ\n",
     "東京都千代田区霞が関３丁目,100-0099,2,複数候補\n丸の内,100-0005,1,部分一致\n,,0,"
     "該当なし\nＺＺＺ,,0,"
     "該当なし\n"},
    {"HeaderAndColumnWithQuotedFields",
     {2, true},
     "名前,住所\r\n\"山田, 太郎\",\"東京都中央区銀座\r\n４丁目\"\r\n\"\"\"様\"\"\",1000013\r\n",
     "名前,住所,郵便番号,候補数,判定\r\n\"山田, "
     "太郎\",\"東京都中央区銀座\r\n４丁目\",104-0061,1,一致\r\n"
     "\"\"\"様\"\"\",1000013,100-0013,1,部分一致\r\n"},
    {"ShortRowsPaddedSoTheColumnsLineUp",
     {3},
     "a,b,東京都中央区京橋\nonly\n",
     "a,b,東京都中央区京橋,104-0031,1,一致\nonly,,,,0,エラー\n"},
    {"ByteOrderMarkLeftToFiles", {}, "\xEF\xBB\xBF銀座\n", "銀座,104-0061,1,部分一致\n"},
};

INSTANTIATE_TEST_SUITE_P(Lists, AddressListConverts, ::testing::ValuesIn(conversionCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BatchSearchTest, Cp932ListIsWrittenInCp932) {
    BatchSearch batch(dir.path(), *index);
    AddressListConversion conversion(encodeCp932(u"東京都中央区京橋１丁目\r\n"), {});
    conversion.convertNext(batch);
    EXPECT_EQ(conversion.outputBytes(), encodeCp932(u"東京都中央区京橋１丁目,104-0031,1,一致\r\n"));
    EXPECT_EQ(conversion.foundCount(), 1u);
}

TEST_F(BatchSearchTest, RowWithoutTheAddressColumnIsAnError) {
    BatchSearch batch(dir.path(), *index);
    AddressListConversion conversion("a,東京都中央区京橋\nb\n", {2});
    EXPECT_EQ(conversion.convertNext(batch).status, AnswerStatus::Exact);
    EXPECT_EQ(conversion.convertNext(batch).status, AnswerStatus::Error);
}

TEST_F(BatchSearchTest, RowOnTheErrorPathGetsNoCodeAndTheOthersGoOn) {
    std::filesystem::remove(dir / "ZipCode1.txt");
    BatchSearch batch(dir.path(), *index);
    AddressListConversion conversion("丸の内\n東京都中央区京橋\n", {});
    EXPECT_FALSE(conversion.convertNext(batch).answered);
    EXPECT_TRUE(conversion.convertNext(batch).answered);
    EXPECT_EQ(conversion.outputBytes(), "丸の内,,0,エラー\n東京都中央区京橋,104-0031,1,一致\n");
    EXPECT_FALSE(conversion.allAnswered());
    EXPECT_EQ(conversionSummaryText(2, conversion.foundCount()),
              u"2件中 1件の郵便番号が見つかりました。");
}

} // namespace
} // namespace mervasto

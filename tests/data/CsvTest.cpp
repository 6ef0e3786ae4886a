// CSV text read and written back, and the encodings the files come in.
#include "data/Csv.h"
#include "data/Cp932Codec.h"
#include "data/EncodedText.h"

#include <gtest/gtest.h>

namespace mervasto {
namespace {

struct CsvCase {
    const char* name;
    std::u16string text;
    std::vector<CsvRow> rows;
    std::u16string lineEnd;
};

void PrintTo(const CsvCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class CsvReadsAndWritesBack : public ::testing::TestWithParam<CsvCase> {};

TEST_P(CsvReadsAndWritesBack, RowsAndTheSameText) {
    const CsvDocument document = parseCsv(GetParam().text);
    EXPECT_EQ(document.rows, GetParam().rows);
    EXPECT_EQ(document.lineEnd, GetParam().lineEnd);
    EXPECT_EQ(formatCsv(document), GetParam().text);
}

const CsvCase roundTrips[] = {
    {"Plain", u"a,b\r\nc,d\r\n", {{u"a", u"b"}, {u"c", u"d"}}, u"\r\n"},
    {"LineFeedsKept", u"a\nb\n", {{u"a"}, {u"b"}}, u"\n"},
    {"QuotedComma", u"\"東京都, 中央区\",x\r\n", {{u"東京都, 中央区", u"x"}}, u"\r\n"},
    {"DoubledQuotes", u"\"say \"\"hi\"\"\"\r\n", {{u"say \"hi\""}}, u"\r\n"},
    {"LineBreaksInsideQuotes", u"\"1\r\n2\n3\",z\n", {{u"1\r\n2\n3", u"z"}}, u"\n"},
    {"EmptyFieldsAndEmptyLine", u",,\r\n\r\nx\r\n", {{u"", u"", u""}, {u""}, {u"x"}}, u"\r\n"},
    {"SpacesKept", u" a , b \r\n", {{u" a ", u" b "}}, u"\r\n"},
    {"LoneCarriageReturnIsData", u"\"a\rb\"\r\n", {{u"a\rb"}}, u"\r\n"},
    {"Nothing", u"", {}, u"\r\n"},
};

INSTANTIATE_TEST_SUITE_P(Csv, CsvReadsAndWritesBack, ::testing::ValuesIn(roundTrips),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Csv, LenientReading) {
    const std::vector<CsvRow> rows = {{u"a\"b", u"quotedtail", u"open\nto the end"}};
    const CsvDocument open = parseCsv(u"a\"b,\"quoted\"tail,\"open\nto the end");
    EXPECT_EQ(open.rows, rows);
    EXPECT_TRUE(open.endsInQuotedField);
    const CsvDocument lastRow = parseCsv(u"last row without line end,\"closed\"");
    EXPECT_EQ(lastRow.rows, (std::vector<CsvRow>{{u"last row without line end", u"closed"}}));
    EXPECT_FALSE(lastRow.endsInQuotedField);
}

TEST(Csv, FirstRowsOnly) {
    const std::u16string text = u"a,\"b\nc\"\nd\ne\n";
    EXPECT_EQ(parseCsvRows(text, 2), (std::vector<CsvRow>{{u"a", u"b\nc"}, {u"d"}}));
    EXPECT_EQ(parseCsvRows(text, 9).size(), 3u);
}

TEST(EncodedText, EachEncodingReadsAndWritesBack) {
    const std::u16string text = u"東京都千代田区丸の内,100-0005\r\n";
    const struct {
        TextEncoding encoding;
        std::string bytes;
    } cases[] = {
        {TextEncoding::Cp932, encodeCp932(text)},
        {TextEncoding::Utf8, "東京都千代田区丸の内,100-0005\r\n"},
        {TextEncoding::Utf8WithBom, "\xEF\xBB\xBF東京都千代田区丸の内,100-0005\r\n"},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(detectTextEncoding(testCase.bytes), testCase.encoding);
        EXPECT_EQ(decodeText(testCase.bytes, testCase.encoding), text);
        EXPECT_EQ(encodeText(text, testCase.encoding), testCase.bytes);
    }
}

} // namespace
} // namespace mervasto

#include "data/ItemReader.h"
#include "data/DataError.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>
#include <vector>

namespace mervasto {
namespace {

ItemReader readerOf(const std::string& bytes) {
    return ItemReader(std::make_unique<std::istringstream>(bytes));
}

template <typename Read> auto readAll(ItemReader& reader, Read read) {
    std::vector<decltype(read(reader))> items;
    while (!reader.atEnd())
        items.push_back(read(reader));
    return items;
}

template <typename Action> DataError::Kind errorKindOf(Action action) {
    try {
        action();
    } catch (const DataError& error) {
        return error.kind();
    }
    ADD_FAILURE() << "no DataError thrown";
    return DataError::Kind::Io;
}

struct TextCase {
    const char* name;
    std::string bytes;
    std::vector<std::u16string> items;
};

class ReadTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(ReadTextTest, ReadsItemsToTheEnd) {
    auto reader = readerOf(GetParam().bytes);
    EXPECT_EQ(readAll(reader, [](ItemReader& r) { return r.readText(); }), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(
    Items, ReadTextTest,
    ::testing::Values(TextCase{"Empty", "", {}},
                      TextCase{"CommasAndLineEnds", "a,b\r\nc\r\n", {u"a", u"b", u"c"}},
                      TextCase{"NoFinalLineEnd", "a,b", {u"a", u"b"}},
                      TextCase{"LoneLf", "a\nb\n", {u"a", u"b"}},
                      TextCase{"LoneCrEndsItem", "a\rb", {u"a", u"b"}},
                      TextCase{"EmptyLineIsEmptyItem", "a\r\n\r\n", {u"a", u""}},
                      TextCase{"EmptyItemsBetweenCommas", ",,x", {u"", u"", u"x"}},
                      TextCase{"TrailingCommaGivesNoExtraItem", "a,", {u"a"}},
                      TextCase{"LeadingSpacesSkipped", "  a,   b c \r\n", {u"a", u"b c "}},
                      TextCase{"OnlySpacesLeft", "a\r\n   ", {u"a", u""}},
                      TextCase{"QuotedCommaBelongsToItem", "\"a,b\",c\r\n", {u"a,b", u"c"}},
                      TextCase{"QuotedKeepsSpaces", "\"001  \",\" x\"", {u"001  ", u" x"}},
                      TextCase{"TextAfterClosingQuoteDropped", "\"ab\"cd,e", {u"ab", u"e"}},
                      TextCase{"QuoteSpansLineEnd", "\"a\r\nb\",c", {u"a\r\nb", u"c"}},
                      TextCase{"UnclosedQuoteRunsToEnd", "\"abc", {u"abc"}},
                      TextCase{"QuoteInsideUnquotedItemKept", "a\"b,c", {u"a\"b", u"c"}},
                      TextCase{"Cp932Text",
                               "\"\x96\x6B\x8A\x43\x93\xB9\",\xBB\xAF\xCE\xDF\xDB\r\n",
                               {u"北海道", u"ｻｯﾎﾟﾛ"}},
                      TextCase{"TrailByteLikeBackslash", "\x83\x5C,\x95\x5C\r\n", {u"ソ", u"表"}}),
    [](const auto& info) { return info.param.name; });

struct NumberCase {
    const char* name;
    std::string bytes;
    std::vector<std::int32_t> numbers;
};

class ReadNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ReadNumberTest, ReadsNumbersToTheEnd) {
    auto reader = readerOf(GetParam().bytes);
    EXPECT_EQ(readAll(reader, [](ItemReader& r) { return r.readNumber(); }), GetParam().numbers);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, ReadNumberTest,
    ::testing::Values(
        NumberCase{"WrittenNumber", " 12 \r\n", {12}}, NumberCase{"Negative", "-5 \r\n", {-5}},
        NumberCase{"PlusSign", "+7", {7}}, NumberCase{"SignSpacedFromDigits", "- 3", {-3}},
        NumberCase{"CsvColumns", "0,1,0\r\n", {0, 1, 0}}, NumberCase{"Quoted", "\" 42 \"", {42}},
        NumberCase{"NotANumber", "abc,\r\n", {0, 0}}, NumberCase{"DigitsBeforeText", "12ab", {12}},
        NumberCase{"Int32Limits", "2147483647,-2147483648", {2147483647, -2147483647 - 1}}),
    [](const auto& info) { return info.param.name; });

struct LineCase {
    const char* name;
    std::string bytes;
    std::vector<std::u16string> lines;
};

class ReadLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ReadLineTest, ReadsLinesToTheEnd) {
    auto reader = readerOf(GetParam().bytes);
    EXPECT_EQ(readAll(reader, [](ItemReader& r) { return r.readLine(); }), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Lines, ReadLineTest,
                         ::testing::Values(LineCase{"CrLf", "a,b\r\n\"c\"\r\n", {u"a,b", u"\"c\""}},
                                           LineCase{"KeepsSpaces", "  x  \r\n", {u"  x  "}},
                                           LineCase{"LoneLf", "a\nb", {u"a", u"b"}},
                                           LineCase{"LoneCrKept", "a\rb\r\n", {u"a\rb"}},
                                           LineCase{"EmptyLines", "\r\n\r\n", {u"", u""}},
                                           LineCase{"Cp932",
                                                    "100-0005\x81\x40\x81\x40\x8A\xDB\r\n",
                                                    {u"100-0005\u3000\u3000丸"}}),
                         [](const auto& info) { return info.param.name; });

TEST(ItemReader, ItemsSpanningChunksStayWhole) {
    std::string bytes;
    std::vector<std::u16string> expected;
    for (int i = 0; i < 40000; ++i) {
        const std::string number = std::to_string(i);
        bytes += "\"\x8A\xDB\x82\xCC\x93\xE0" + number + "\",";
        expected.push_back(u"丸の内" + std::u16string(number.begin(), number.end()));
    }
    auto reader = readerOf(bytes);
    EXPECT_EQ(readAll(reader, [](ItemReader& r) { return r.readText(); }), expected);
}

// Rows read as views straddle chunk boundaries: the items already read stay whole when
// reading on moves the text.
TEST(ItemReader, RowsOfViewsSpanningChunksStayWhole) {
    std::string bytes;
    std::vector<std::u16string> expected;
    for (int i = 0; bytes.size() < 3 * ItemReader::ChunkSize; ++i) {
        const std::string number = std::to_string(i);
        bytes += number + ",\"\x8A\xDB" + number + "\"x\r\n";
        expected.push_back(std::u16string(number.begin(), number.end()));
        expected.push_back(u"丸" + std::u16string(number.begin(), number.end()));
    }
    auto reader = readerOf(bytes + "last");
    std::vector<std::u16string> items;
    std::array<std::u16string_view, 3> row;
    std::size_t read = 0;
    while ((read = reader.readTexts(row)) == row.size())
        items.insert(items.end(), row.begin(), row.end());
    items.insert(items.end(), row.begin(), row.begin() + static_cast<std::ptrdiff_t>(read));
    expected.push_back(u"last");
    EXPECT_EQ(items, expected);
    EXPECT_EQ(reader.readTexts(row), 0u);
}

TEST(ItemReader, ReadingPastTheEndThrows) {
    auto reader = readerOf("a\r\n");
    reader.readText();
    EXPECT_EQ(errorKindOf([&] { reader.readText(); }), DataError::Kind::InputPastEnd);
    EXPECT_EQ(errorKindOf([] { readerOf("").readNumber(); }), DataError::Kind::InputPastEnd);
    EXPECT_EQ(errorKindOf([] { readerOf("").readLine(); }), DataError::Kind::InputPastEnd);
}

TEST(ItemReader, OverlongItemsAndLinesThrow) {
    EXPECT_EQ(
        errorKindOf([] { readerOf(std::string(ItemReader::maxItemLength + 1, 'x')).readText(); }),
        DataError::Kind::ItemTooLong);
    EXPECT_EQ(errorKindOf([] {
                  readerOf("\"" + std::string(ItemReader::maxItemLength + 1, 'x')).readText();
              }),
              DataError::Kind::ItemTooLong);
    EXPECT_EQ(
        errorKindOf([] { readerOf(std::string(ItemReader::maxItemLength + 1, ',')).readLine(); }),
        DataError::Kind::ItemTooLong);
    // The spaces before an item and what follows its closing quote are bounded as well.
    const std::string tooMany(ItemReader::maxItemLength + 1, ' ');
    EXPECT_EQ(errorKindOf([&] { readerOf(tooMany + "x").readText(); }),
              DataError::Kind::ItemTooLong);
    EXPECT_EQ(errorKindOf([&] { readerOf("\"x\"" + tooMany + ",").readText(); }),
              DataError::Kind::ItemTooLong);
}

TEST(ItemReader, LongestItemIsAccepted) {
    EXPECT_EQ(readerOf(std::string(ItemReader::maxItemLength, 'x') + ",").readText().size(),
              ItemReader::maxItemLength);
}

TEST(ItemReader, NumberOutsideInt32Overflows) {
    EXPECT_EQ(errorKindOf([] { readerOf("2147483648").readNumber(); }), DataError::Kind::Overflow);
    EXPECT_EQ(errorKindOf([] { readerOf("-2147483649").readNumber(); }), DataError::Kind::Overflow);
}

TEST(ItemReader, OpensFilesAndReportsMissingOnes) {
    test::TempDir dir;
    test::writeBytes(dir / "in.csv", "1,\"a\"\r\n");
    ItemReader reader(dir / "in.csv");
    EXPECT_EQ(reader.readNumber(), 1);
    EXPECT_EQ(reader.readText(), u"a");
    EXPECT_TRUE(reader.atEnd());
    EXPECT_THROW(ItemReader(dir / "missing.csv"), DataError);
}

} // namespace
} // namespace mervasto

#include "data/Cp932Codec.h"

#include "data/CharacterClasses.h"

#include <gtest/gtest.h>

#include <string>

namespace mervasto {
namespace {

struct CodecCase {
    const char* name;
    std::string bytes;
    std::u16string text;
};

class DecodeTest : public ::testing::TestWithParam<CodecCase> {};

TEST_P(DecodeTest, DecodesBytes) {
    EXPECT_EQ(decodeCp932(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cp932, DecodeTest,
    ::testing::Values(CodecCase{"Ascii", "Zip,\"1\"\r\n", u"Zip,\"1\"\r\n"},
                      CodecCase{"Kanji", "\x93\x8C\x8B\x9E", u"東京"},
                      CodecCase{"IdeographicSpace", "\x81\x40", u"\u3000"},
                      CodecCase{"HalfWidthKana", "\xCA\xDE", u"ﾊﾞ"},
                      CodecCase{"TrailByteInAsciiRange", "\x83\x5C", u"ソ"},
                      CodecCase{"BackslashAndTilde", "\x5C\x7E", u"\\~"},
                      CodecCase{"LeadByteCutOffAtEnd", std::string("a\x82", 2), u"a\uFFFD"},
                      CodecCase{"BadTrailByte",
                                "\x81\x2C"
                                "b",
                                u"\uFFFD,b"},
                      CodecCase{"UnusedSingleBytes", "\x80\xA0\xFD\xFE\xFF",
                                u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
                      CodecCase{"BadByteBetweenText", "\x93\x8C\xFF\x8B\x9E", u"東\uFFFD京"},
                      CodecCase{"NulByte", std::string("a\0b", 3), std::u16string(u"a\0b", 3)}),
    [](const auto& info) { return info.param.name; });

class EncodeTest : public ::testing::TestWithParam<CodecCase> {};

TEST_P(EncodeTest, EncodesText) {
    EXPECT_EQ(encodeCp932(GetParam().text), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cp932, EncodeTest,
    ::testing::Values(CodecCase{"Ascii", "a,b\r\n", u"a,b\r\n"},
                      CodecCase{"Kanji", "\x93\x8C\x8B\x9E\x93\x73", u"東京都"},
                      CodecCase{"HalfWidthKana", "\xB1", u"ｱ"},
                      CodecCase{"Unmappable", "a?b", u"a\u00E9b"},
                      CodecCase{"CharacterOutsideBmp", "x?y", u"x\U0001F600y"},
                      CodecCase{"UnpairedHighSurrogate", "?z", u"\xD800z"},
                      CodecCase{"UnpairedLowSurrogateAtEnd", "z?", u"z\xDC00"}),
    [](const auto& info) { return info.param.name; });

TEST(Cp932RoundTrip, MixedTextSurvives) {
    const std::u16string text = u"〒100-0005 東京都千代田区丸の内 ﾏﾙﾉｳﾁ　（株）①";
    EXPECT_EQ(decodeCp932(encodeCp932(text)), text);
}

// Every split point of a text must decode as the whole does, wherever a double-byte
// character is cut.
TEST(Cp932StreamDecoder, SplitAnywhereDecodesLikeWhole) {
    const std::string bytes = encodeCp932(u"北海道,\"ｻｯﾎﾟﾛ\",札幌市 ソ表");
    for (std::size_t split = 0; split <= bytes.size(); ++split) {
        Cp932StreamDecoder decoder;
        std::u16string out;
        decoder.decode(std::string_view(bytes).substr(0, split), false, out);
        decoder.decode(std::string_view(bytes).substr(split), true, out);
        EXPECT_EQ(out, decodeCp932(bytes)) << "split at " << split;
    }
}

TEST(Cp932StreamDecoder, ByteByByteDecodesLikeWhole) {
    const std::string bytes = encodeCp932(u"丸の内ﾏﾙﾉｳﾁ,1");
    Cp932StreamDecoder decoder;
    std::u16string out;
    for (const char byte : bytes)
        decoder.decode(std::string_view(&byte, 1), false, out);
    decoder.decode({}, true, out);
    EXPECT_EQ(out, u"丸の内ﾏﾙﾉｳﾁ,1");
}

TEST(Cp932StreamDecoder, LeadByteLeftAtFinalEndBecomesReplacement) {
    Cp932StreamDecoder decoder;
    std::u16string out;
    decoder.decode("a\x93", false, out);
    EXPECT_EQ(out, u"a");
    decoder.decode({}, true, out);
    EXPECT_EQ(out, u"a\uFFFD");
}

// The tables written on Windows (code page 932 of the Win32 API) and on Linux (iconv "CP932")
// must be the same bytes, so both converters must agree character for character, above all on
// the characters where Shift_JIS variants differ. The same expectations hold on every platform.

class Cp932CharacterTest : public ::testing::TestWithParam<CodecCase> {};

TEST_P(Cp932CharacterTest, DecodesAndEncodesBack) {
    EXPECT_EQ(decodeCp932(GetParam().bytes), GetParam().text);
    EXPECT_EQ(encodeCp932(GetParam().text), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Agreement, Cp932CharacterTest,
                         ::testing::Values(CodecCase{"HorizontalBar", "\x81\x5C", u"\u2015"},
                                           CodecCase{"FullWidthTilde", "\x81\x60", u"\uFF5E"},
                                           CodecCase{"ParallelTo", "\x81\x61", u"\u2225"},
                                           CodecCase{"FullWidthHyphenMinus", "\x81\x7C", u"\uFF0D"},
                                           CodecCase{"FullWidthCent", "\x81\x91", u"\uFFE0"},
                                           CodecCase{"FullWidthPound", "\x81\x92", u"\uFFE1"},
                                           CodecCase{"FullWidthNot", "\x81\xCA", u"\uFFE2"},
                                           CodecCase{"CircledOne", "\x87\x40", u"\u2460"},
                                           CodecCase{"RomanNumeralOne", "\x87\x54", u"\u2160"},
                                           CodecCase{"NumeroSign", "\x87\x82", u"\u2116"},
                                           CodecCase{"SmallRomanNumeralOne", "\xFA\x40", u"\u2170"},
                                           CodecCase{"ExtendedKanji", "\xFB\xFC", u"\u9AD9"},
                                           CodecCase{"FirstUserDefined", "\xF0\x40", u"\uE000"},
                                           CodecCase{"LastUserDefined", "\xF9\xFC", u"\uE757"}),
                         [](const auto& info) { return info.param.name; });

// Codes that share their character with an earlier code decode to it and are written back
// as the code both converters prefer.
struct DuplicateCase {
    const char* name;
    std::string bytes;
    std::u16string text;
    std::string preferred;
};

class Cp932DuplicateTest : public ::testing::TestWithParam<DuplicateCase> {};

TEST_P(Cp932DuplicateTest, EncodesThePreferredCode) {
    EXPECT_EQ(decodeCp932(GetParam().bytes), GetParam().text);
    EXPECT_EQ(encodeCp932(GetParam().text), GetParam().preferred);
}

INSTANTIATE_TEST_SUITE_P(
    Agreement, Cp932DuplicateTest,
    ::testing::Values(DuplicateCase{"SelectedExtensionKanji", "\xED\x40", u"\u7E8A", "\xFA\x5C"},
                      DuplicateCase{"SelectedExtensionNot", "\xEE\xF9", u"\uFFE2", "\x81\xCA"},
                      DuplicateCase{"ExtensionNot", "\xFA\x54", u"\uFFE2", "\x81\xCA"},
                      DuplicateCase{"ApproximatelyEqual", "\x87\x90", u"\u2252", "\x81\xE0"},
                      DuplicateCase{"Because", "\xFA\x5B", u"\u2235", "\x81\xE6"},
                      DuplicateCase{"ParenthesizedStock", "\xFA\x58", u"\u3231", "\x87\x8A"}),
    [](const auto& info) { return info.param.name; });

// Every lead byte with every trail byte: how many codes name a character, and how many of
// those are written back as another code. Both counts are properties of code page 932 itself,
// so a converter that maps one more or one fewer code than the other shows here.
TEST(Cp932Agreement, WholeDoubleByteTable) {
    int assigned = 0;
    int writtenAsOtherCode = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!isCp932LeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
            const std::u16string text = decodeCp932(code);
            if (text.size() != 1 || text[0] == u'\uFFFD')
                continue;
            ++assigned;
            const std::string written = encodeCp932(text);
            EXPECT_EQ(decodeCp932(written), text) << std::hex << lead << trail;
            if (written != code)
                ++writtenAsOtherCode;
        }
    }
    EXPECT_EQ(assigned, 9604); // 7,724 characters and 1,880 user-defined codes
    EXPECT_EQ(writtenAsOtherCode, 398);
}

TEST(Cp932Agreement, TrailByteThatFormsNoCharacter) {
    // 0x80 after a lead byte forms no character; neither byte is a character on its own.
    EXPECT_EQ(decodeCp932("\x82\x80"), u"\uFFFD\uFFFD");
    EXPECT_EQ(decodeCp932("\x82\x80\x82\xA0"), u"\uFFFD\uFFFD\u3042");
}

} // namespace
} // namespace mervasto

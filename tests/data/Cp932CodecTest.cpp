#include "data/Cp932Codec.h"

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

} // namespace
} // namespace mervasto

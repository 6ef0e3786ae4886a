// The tables written on Windows (code page 932 of the Win32 API) and on Linux (iconv "CP932")
// must be the same bytes, so both converters must agree character for character, above all on
// the characters where Shift_JIS variants differ. The same expectations hold on every platform.
#include "data/Cp932Codec.h"

#include <gtest/gtest.h>

#include <string>

namespace mervasto {
namespace {

struct CharacterCase {
    const char* name;
    std::string bytes;
    std::u16string text;
};

class Cp932CharacterTest : public ::testing::TestWithParam<CharacterCase> {};

TEST_P(Cp932CharacterTest, DecodesAndEncodesBack) {
    EXPECT_EQ(decodeCp932(GetParam().bytes), GetParam().text);
    EXPECT_EQ(encodeCp932(GetParam().text), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Agreement, Cp932CharacterTest,
    ::testing::Values(CharacterCase{"HorizontalBar", "\x81\x5C", u"\u2015"},
                      CharacterCase{"FullWidthTilde", "\x81\x60", u"\uFF5E"},
                      CharacterCase{"ParallelTo", "\x81\x61", u"\u2225"},
                      CharacterCase{"FullWidthHyphenMinus", "\x81\x7C", u"\uFF0D"},
                      CharacterCase{"FullWidthCent", "\x81\x91", u"\uFFE0"},
                      CharacterCase{"FullWidthPound", "\x81\x92", u"\uFFE1"},
                      CharacterCase{"FullWidthNot", "\x81\xCA", u"\uFFE2"},
                      CharacterCase{"CircledOne", "\x87\x40", u"\u2460"},
                      CharacterCase{"RomanNumeralOne", "\x87\x54", u"\u2160"},
                      CharacterCase{"NumeroSign", "\x87\x82", u"\u2116"},
                      CharacterCase{"SmallRomanNumeralOne", "\xFA\x40", u"\u2170"},
                      CharacterCase{"ExtendedKanji", "\xFB\xFC", u"\u9AD9"},
                      CharacterCase{"FirstUserDefined", "\xF0\x40", u"\uE000"},
                      CharacterCase{"LastUserDefined", "\xF9\xFC", u"\uE757"}),
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

bool isLeadByte(int byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Every lead byte with every trail byte: how many codes name a character, and how many of
// those are written back as another code. Both counts are properties of code page 932 itself,
// so a converter that maps one more or one fewer code than the other shows here.
TEST(Cp932Agreement, WholeDoubleByteTable) {
    int assigned = 0;
    int writtenAsOtherCode = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!isLeadByte(lead))
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

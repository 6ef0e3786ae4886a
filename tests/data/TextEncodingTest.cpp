#include "data/TextEncoding.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace mervasto {
namespace {

struct EncodingCase {
    const char* name;
    std::string bytes;
    TextEncoding encoding;
    TextEncoding wholeFileEncoding = encoding; // when the bytes are a whole file
};

void PrintTo(const EncodingCase& encodingCase, std::ostream* out) {
    *out << encodingCase.name;
}

class TextEncodingTest : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(TextEncodingTest, DecidesFromTheBytes) {
    EXPECT_EQ(detectTextEncoding(GetParam().bytes), GetParam().encoding);
    EXPECT_EQ(detectWholeFileEncoding(GetParam().bytes), GetParam().wholeFileEncoding);
}

INSTANTIATE_TEST_SUITE_P(
    Data, TextEncodingTest,
    ::testing::Values(
        EncodingCase{"Empty", "", TextEncoding::Utf8},
        EncodingCase{"Ascii", "13101,\"100  \",\"1000001\"\r\n", TextEncoding::Utf8},
        EncodingCase{"Bom", "\xEF\xBB\xBF\xE6\x9D\xB1", TextEncoding::Utf8WithBom},
        EncodingCase{"Utf8Kanji", "\xE6\x9D\xB1\xE4\xBA\xAC", TextEncoding::Utf8},
        EncodingCase{"Cp932Kanji", "\x93\x8C\x8B\x9E", TextEncoding::Cp932},
        EncodingCase{"Cp932HalfWidthKana", "\xCA\xDE", TextEncoding::Cp932},
        // Sequences that look like UTF-8 but are not: over-long, surrogate, past U+10FFFF.
        EncodingCase{"OverLong", "\xC0\xAF", TextEncoding::Cp932},
        EncodingCase{"Surrogate", "\xED\xA0\x80", TextEncoding::Cp932},
        EncodingCase{"PastLastCodePoint", "\xF4\x90\x80\x80", TextEncoding::Cp932},
        // A sample cut inside a character is still UTF-8, a whole file is not; a broken
        // character in the middle is never UTF-8.
        EncodingCase{"CutAtEnd", "\xE6\x9D\xB1\xE4\xBA", TextEncoding::Utf8, TextEncoding::Cp932},
        // A CP932 list ending in half-width ﾃ (C3), which also begins a UTF-8 pair.
        EncodingCase{"Cp932EndingInHalfWidthTe", "abc\xC3", TextEncoding::Utf8,
                     TextEncoding::Cp932},
        EncodingCase{"BrokenInside", "\xE6\x9D\x41\xE4\xBA\xAC", TextEncoding::Cp932}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace mervasto

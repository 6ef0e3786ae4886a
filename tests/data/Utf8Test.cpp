#include "data/Utf8.h"

#include <gtest/gtest.h>

namespace mervasto {
namespace {

struct Utf8Case {
    const char* name;
    std::string utf8;
    std::u16string utf16;
};

class Utf8RoundTripTest : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8RoundTripTest, ConvertsBothWays) {
    EXPECT_EQ(fromUtf8(GetParam().utf8), GetParam().utf16);
    EXPECT_EQ(toUtf8(GetParam().utf16), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Utf8, Utf8RoundTripTest,
    ::testing::Values(Utf8Case{"Ascii", "abc", u"abc"}, Utf8Case{"TwoBytes", "\xC3\xA9", u"é"},
                      Utf8Case{"ThreeBytes", "\xE5\x8C\x97", u"北"},
                      Utf8Case{"FourBytes", "\xF0\x9F\x98\x80", u"\U0001F600"}),
    [](const auto& info) { return info.param.name; });

class InvalidUtf8Test : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(InvalidUtf8Test, BecomesReplacement) {
    EXPECT_EQ(fromUtf8(GetParam().utf8), GetParam().utf16);
}

INSTANTIATE_TEST_SUITE_P(
    Utf8, InvalidUtf8Test,
    ::testing::Values(Utf8Case{"StrayContinuation", "a\x80z", u"a\uFFFDz"},
                      Utf8Case{"TruncatedAtEnd", "a\xE5\x8C", u"a\uFFFD\uFFFD"},
                      Utf8Case{"Overlong", "\xC0\xAF", u"\uFFFD\uFFFD"},
                      Utf8Case{"EncodedSurrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
                      Utf8Case{"BeyondUnicode", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}),
    [](const auto& info) { return info.param.name; });

TEST(Utf8, UnpairedSurrogatesBecomeReplacement) {
    EXPECT_EQ(toUtf8(u"a\xD800"
                     "b\xDC00"),
              "a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD");
}

} // namespace
} // namespace mervasto

#include "data/Containment.h"

#include <gtest/gtest.h>

namespace mervasto {
namespace {

struct ContainmentCase {
    const char* name;
    std::u16string a;
    std::u16string b;
    std::size_t position;
};

class OccursAtTest : public ::testing::TestWithParam<ContainmentCase> {};

TEST_P(OccursAtTest, GivesOneBasedPosition) {
    EXPECT_EQ(occursAt(GetParam().a, GetParam().b), GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(
    Containment, OccursAtTest,
    ::testing::Values(ContainmentCase{"AtStart", u"北海道", u"北海道札幌市", 1},
                      ContainmentCase{"Inside", u"札幌市", u"北海道札幌市北区", 4},
                      ContainmentCase{"FirstOfTwo", u"区", u"北区中央区", 2},
                      ContainmentCase{"Absent", u"東京", u"北海道", 0},
                      ContainmentCase{"LongerThanB", u"北海道札幌", u"北海道", 0},
                      ContainmentCase{"EmptyAInNonEmptyB", u"", u"x", 1},
                      ContainmentCase{"EmptyB", u"x", u"", 0},
                      ContainmentCase{"BothEmpty", u"", u"", 0},
                      ContainmentCase{"NoWidthFolding", u"ABC", u"ＡＢＣ", 0},
                      ContainmentCase{"NoCaseFolding", u"abc", u"ABC", 0},
                      ContainmentCase{"NoKanaFolding", u"かな", u"カナ", 0}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace mervasto

// Each spelling rule brings a usual way of writing an address to the national file's spelling.
#include "search/SpellingVariants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

namespace mervasto {
namespace {

struct VariantCase {
    std::u16string_view rule; // the rule's `covers`
    std::u16string_view written;
    std::u16string_view tables; // as the national file writes it
};

const VariantCase variantCases[] = {
    {u"full-width and half-width digits", u"永山3条12丁目", u"永山３条１２丁目"},
    {u"kanji and Arabic numbers before 条, 丁目, 線, 番町, 地割", u"北29条西", u"北二十九条西"},
    {u"full-width and half-width hyphens and dashes", u"港南2-16ｰ1", u"港南2－16－1"},
    {u"ケ, ヶ, が, ガ", u"希望ヶ丘", u"希望ケ丘"},
    {u"ノ, の, 之", u"木之本町", u"木ノ本町"},
    {u"大字 and 字 in front of a town name present or absent", u"大字鶴賀", u"鶴賀"},
    {u"spaces between the parts", u"東京都 港区　港南", u"東京都港区港南"},
};

TEST(SpellingVariants, EveryRuleHasItsCase) {
    for (const SpellingRule& rule : spellingRules())
        EXPECT_TRUE(std::any_of(std::begin(variantCases), std::end(variantCases),
                                [&](const VariantCase& c) { return c.rule == rule.covers; }));
}

class SpellingVariant : public ::testing::TestWithParam<VariantCase> {};

TEST_P(SpellingVariant, MeetsTheTablesSpellingOnlyThroughItsRule) {
    const VariantCase& c = GetParam();
    EXPECT_EQ(commonSpelling(c.written), commonSpelling(c.tables));
    const auto rule = std::find_if(spellingRules().begin(), spellingRules().end(),
                                   [&](const SpellingRule& r) { return r.covers == c.rule; });
    ASSERT_NE(rule, spellingRules().end());
    std::u16string written(c.written);
    std::u16string tables(c.tables);
    rule->apply(written);
    rule->apply(tables);
    EXPECT_TRUE(written != c.written || tables != c.tables) << "the case needs its rule";
}

INSTANTIATE_TEST_SUITE_P(Rules, SpellingVariant, ::testing::ValuesIn(variantCases));

// Numbers that are not part of a town's name and kana outside the lists stay as written.
TEST(SpellingVariants, LeavesOtherNumbersAndKanaAlone) {
    const std::pair<std::u16string_view, std::u16string_view> cases[] = {
        {u"三本木1－2", u"三本木1-2"},
        {u"十日町", u"十日町"},
        {u"三丁目", u"3丁目"},
        {u"十条", u"10条"},
        {u"二十九条", u"29条"},
        {u"カーブ", u"カーブ"},
        {u"美合町字入込", u"美合町字入込"},
    };
    for (const auto& [text, common] : cases)
        EXPECT_EQ(commonSpelling(text), common);
}

} // namespace
} // namespace mervasto

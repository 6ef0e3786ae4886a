// The city lookup through name pairs chooses the entry that the lookup over every name does:
// the first, in index order, whose name occurs in the key.
#include "search/CityNameLookup.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace mervasto {
namespace {

struct LookupCase {
    const char* name;
    std::vector<std::u16string> names; // the index's entries, in order
    std::u16string key;
    std::optional<int> entry;
};

void PrintTo(const LookupCase& c, std::ostream* out) {
    *out << c.name;
}

class CityNameLookupFinds : public ::testing::TestWithParam<LookupCase> {};

TEST_P(CityNameLookupFinds, TheFirstEntryWhoseNameOccurs) {
    const auto index = std::make_unique<IndexTable>();
    const std::vector<std::u16string>& names = GetParam().names;
    for (std::size_t entry = 0; entry < names.size(); ++entry)
        index->City[entry] = names[entry];
    const CityNameLookup lookup(index->City, static_cast<int>(names.size()));
    EXPECT_EQ(lookup.firstIn(GetParam().key), GetParam().entry);
}

const LookupCase lookupCases[] = {
    {"EarlierEntryWinsOverLongerName", {u"北区", u"札幌市北区", u""}, u"札幌市北区北十条", 0},
    {"NameAnywhereInTheKey", {u"府中市", u"港区", u""}, u"〒東京都港区港南", 1},
    {"NoNameGivesTheClosingEntry", {u"府中市", u"港区", u""}, u"架空市", 2},
    {"WithoutClosingEntryNone", {u"府中市", u"港区"}, u"架空市", std::nullopt},
    {"OneCharacterName", {u"港区", u"市", u""}, u"架空市", 1},
    {"EmptyNameBeforeOthers", {u"港区", u"", u"府中市"}, u"府中市", 1},
    {"OneCharacterKey", {u"港区", u"港", u""}, u"港", 1},
};

INSTANTIATE_TEST_SUITE_P(Keys, CityNameLookupFinds, ::testing::ValuesIn(lookupCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace mervasto

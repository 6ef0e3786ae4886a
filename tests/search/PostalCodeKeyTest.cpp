// Postal codes typed in the usual forms are searched as the tables write them; every other key
// is searched as typed.
#include "SearchTables.h"
#include "TestFiles.h"

#include "data/IndexLoader.h"
#include "search/PostalCodeKey.h"
#include "search/Search.h"
#include "search/SearchText.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

namespace mervasto {
namespace {

struct KeyCase {
    std::u16string key;
    std::optional<std::u16string> code;
};

class TypedPostalCode : public ::testing::TestWithParam<KeyCase> {};

TEST_P(TypedPostalCode, IsTheTablesFormOrNothing) {
    EXPECT_EQ(typedPostalCode(GetParam().key), GetParam().code);
}

const KeyCase keyCases[] = {
    // Codes.
    {u"1000005", u"100-0005"},
    {u"100-0005", u"100-0005"},
    {u"１０００００５", u"100-0005"},
    {u"１００－０００５", u"100-0005"},
    {u"100ー0005", u"100-0005"},
    {u"100‐0005", u"100-0005"},
    {u"100−0005", u"100-0005"},
    {u"１0０-000５", u"100-0005"},
    {u" 100 0005　", u"100-0005"},
    {u"１００　－　０００５", u"100-0005"},
    // Not codes.
    {u"", std::nullopt},
    {u"100000", std::nullopt},
    {u"10000055", std::nullopt},
    {u"1000-005", std::nullopt},
    {u"100--0005", std::nullopt},
    {u"-1000005", std::nullopt},
    {u"1000005-", std::nullopt},
    {u"100_0005", std::nullopt},
    {u"100〜0005", std::nullopt},
    {u"〒100-0005", std::nullopt},
    {u"100-0005東京都", std::nullopt},
    {u"一〇〇〇〇〇五", std::nullopt},
    {u"١٠٠٠٠٠٥", std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Forms, TypedPostalCode, ::testing::ValuesIn(keyCases));

class CodeSearch : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeNationalTables(dir.path(), test::fixtureNationalRows());
        test::writeOfficeTable(dir.path(), test::fixtureOfficeLines());
        ASSERT_TRUE(loadIndexTable(dir.path(), *index));
    }

    SearchOutcome search(std::u16string_view key, bool officeMode = false) const {
        return runSearch(dir.path(), *index, key, officeMode);
    }

    test::TempDir dir;
    std::unique_ptr<IndexTable> index = std::make_unique<IndexTable>();
};

TEST_F(CodeSearch, EveryFormAnswersAsTheHyphenatedOne) {
    const struct {
        bool officeMode;
        std::u16string hyphenated;
        std::vector<std::u16string> forms;
    } modes[] = {{false, u"100-0005", {u"1000005", u"１０００００５", u"100ー0005"}},
                 {true, u"100-0001", {u"1000001", u"１００－０００１"}}};
    for (const auto& mode : modes) {
        const SearchOutcome expected = search(mode.hyphenated, mode.officeMode);
        ASSERT_FALSE(expected.lines.empty());
        for (const std::u16string& key : mode.forms) {
            const SearchOutcome outcome = search(key, mode.officeMode);
            EXPECT_EQ(outcome.lines, expected.lines);
            EXPECT_EQ(outcome.code, expected.code);
            EXPECT_EQ(outcome.status, expected.status);
        }
    }
}

TEST_F(CodeSearch, NotFoundStatusShowsTheKeyAsTyped) {
    EXPECT_EQ(search(u"９９９ー９９９９").status,
              std::u16string(u"９９９ー９９９９") + SearchText::AddressNotFoundSuffix);
    EXPECT_EQ(search(u"9999999", true).status,
              std::u16string(u"9999999") + SearchText::OfficeNotFoundSuffix);
}

} // namespace
} // namespace mervasto

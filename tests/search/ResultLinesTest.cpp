#include "search/ResultLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mervasto {
namespace {

// Lines of every length, one longer than a whole block among them, over many blocks: each
// reads back as it was listed, in a copy too, and after clearing the list starts again.
TEST(ResultLines, KeepsEveryLineWholeAcrossBlocks) {
    std::vector<std::u16string> listed;
    for (std::size_t i = 0; i < 60000; ++i)
        listed.push_back(std::u16string(i % 97, static_cast<char16_t>(u'あ' + i % 50)));
    listed.insert(listed.begin() + 30000, std::u16string(3'000'000, u'x'));

    ResultLines lines;
    for (const auto& line : listed)
        lines.push_back(line);
    const ResultLines copy = lines;
    ASSERT_EQ(lines.size(), listed.size());
    for (std::size_t i = 0; i < listed.size(); ++i)
        ASSERT_EQ(lines[i], listed[i]) << i;
    EXPECT_EQ(copy, lines);

    lines.clear();
    lines.push_back(u"100-0005");
    EXPECT_EQ(lines, (ResultLines{u"100-0005"}));
    EXPECT_NE(lines, copy);
}

} // namespace
} // namespace mervasto

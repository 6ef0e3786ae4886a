#include "data/IndexLoader.h"
#include "data/DataError.h"
#include "data/Filest.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace mervasto {
namespace {

std::u16string entry(std::u16string_view key, std::u16string_view city, int firstRecord) {
    const std::string number = " " + std::to_string(firstRecord) + " ";
    return std::u16string(key) + u"\r\n" + std::u16string(city) + u"\r\n" +
           std::u16string(number.begin(), number.end()) + u"\r\n";
}

struct LoadCase {
    const char* name;
    std::u16string text;
    bool complete;
    int count;
};

class LoadIndexTableTest : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadIndexTableTest, LoadsAndCountsEntries) {
    test::TempDir dir;
    test::writeCp932(dir / "ZIPID1.txt", GetParam().text);
    IndexTable table;
    table.Count = 99;
    EXPECT_EQ(loadIndexTable(dir.path(), table), GetParam().complete);
    EXPECT_EQ(table.Count, GetParam().count);
}

INSTANTIATE_TEST_SUITE_P(
    Index, LoadIndexTableTest,
    ::testing::Values(LoadCase{"EmptyFile", u"", true, 0},
                      LoadCase{"OnlyClosingEntry", entry(u"", u"", 1), true, 1},
                      LoadCase{"TwoCitiesAndClosingEntry",
                               entry(u"北海道中央区", u"中央区", 1) +
                                   entry(u"北海道北区", u"北区", 4) + entry(u"", u"", 6),
                               true, 3},
                      LoadCase{"EndsAfterKey",
                               entry(u"北海道中央区", u"中央区", 1) + u"北海道北区\r\n", false, 1},
                      LoadCase{"EndsAfterCity",
                               entry(u"北海道中央区", u"中央区", 1) + u"北海道北区\r\n北区\r\n",
                               false, 1},
                      LoadCase{"NoFinalLineEnd", entry(u"A", u"B", 1) + u"\r\n\r\n 2 ", true, 2}),
    [](const auto& info) { return info.param.name; });

TEST(IndexLoader, FillsSlotsInFileOrder) {
    test::TempDir dir;
    test::writeCp932(dir / "ZIPID1.txt", entry(u"北海道中央区", u"中央区", 1) +
                                             entry(u"北海道北区", u"北区", 4) + entry(u"", u"", 6));
    IndexTable table;
    ASSERT_TRUE(loadIndexTable(dir.path(), table));
    EXPECT_EQ(table.Key[0], u"北海道中央区");
    EXPECT_EQ(table.City[1], u"北区");
    EXPECT_EQ(table.FirstRecord[1], 4);
    EXPECT_EQ(table.Key[2], u"");
    EXPECT_EQ(table.FirstRecord[2], 6);
}

TEST(IndexLoader, IncompleteEntryStaysInItsSlotUncounted) {
    test::TempDir dir;
    test::writeCp932(dir / "ZIPID1.txt", entry(u"A", u"B", 1) + u"北海道北区\r\n");
    IndexTable table;
    EXPECT_FALSE(loadIndexTable(dir.path(), table));
    EXPECT_EQ(table.Count, 1);
    EXPECT_EQ(table.Key[1], u"北海道北区");
}

TEST(IndexLoader, UpperCaseFileNameIsFound) {
    test::TempDir dir;
    test::writeCp932(dir / "ZIPID1.TXT", entry(u"", u"", 1));
    IndexTable table;
    EXPECT_TRUE(loadIndexTable(dir.path(), table));
    EXPECT_EQ(table.Count, 1);
}

TEST(IndexLoader, MissingFileLeavesCountZero) {
    test::TempDir dir;
    IndexTable table;
    table.Count = 5;
    EXPECT_FALSE(loadIndexTable(dir.path(), table));
    EXPECT_EQ(table.Count, 0);
}

TEST(IndexLoader, EntryBeyondCapacityIsStoredUncounted) {
    std::string bytes;
    for (int i = 0; i < 32768; ++i)
        bytes += "K" + std::to_string(i) + "\r\nC\r\n " + std::to_string(i + 1) + " \r\n";
    test::TempDir dir;
    test::writeBytes(dir / "ZIPID1.txt", bytes);
    IndexTable table;
    EXPECT_FALSE(loadIndexTable(dir.path(), table));
    EXPECT_EQ(table.Count, 32767);
    EXPECT_EQ(table.Key[32766], u"K32766");
    EXPECT_EQ(table.Key[32767], u"K32767");
    EXPECT_EQ(table.FirstRecord[32767], 32768);
}

struct SlotCase {
    int slot;
    bool valid;
};

class CheckSlotTest : public ::testing::TestWithParam<SlotCase> {};

TEST_P(CheckSlotTest, AcceptsOnlyExistingSlots) {
    if (GetParam().valid)
        EXPECT_NO_THROW(IndexTable::checkSlot(GetParam().slot));
    else
        EXPECT_THROW(IndexTable::checkSlot(GetParam().slot), DataError);
}

INSTANTIATE_TEST_SUITE_P(Index, CheckSlotTest,
                         ::testing::Values(SlotCase{0, true}, SlotCase{50000, true},
                                           SlotCase{-1, false}, SlotCase{50001, false}));

TEST(IndexTable, CountOverflowsPast32767AndStays) {
    IndexTable table;
    table.Count = 32766;
    table.incrementCount();
    EXPECT_EQ(table.Count, 32767);
    EXPECT_THROW(table.incrementCount(), DataError);
    EXPECT_EQ(table.Count, 32767);
}

// The columns are large blocks on huge-page boundaries; a column growing from a small block
// into a large one keeps its strings (and the sanitizers check that each block is given back
// as it was taken).
TEST(IndexTable, ColumnsAreLargeBlocksThatKeepTheirSlots) {
    IndexTable table;
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(table.Key.data()) % HugePageSize, 0u);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(table.City.data()) % HugePageSize, 0u);
    table.City[IndexTable::Slots - 1] = u"最後の区画";
    EXPECT_EQ(table.City.back(), u"最後の区画");

    IndexTable::Column<std::u16string> growing;
    for (int slot = 0; slot < IndexTable::Slots; ++slot)
        growing.push_back(std::u16string(slot % 50, u'区'));
    for (int slot : {0, 49, 4999, IndexTable::Slots - 1})
        EXPECT_EQ(growing[static_cast<std::size_t>(slot)], std::u16string(slot % 50, u'区'));
}

} // namespace
} // namespace mervasto

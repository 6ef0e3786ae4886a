// Very large inputs: a 1 GB CSV without a line end, a line of 10 MB, 200,000 rows. Memory
// stays bounded, nothing crashes, and a failure takes the usual error path.

#include "RobustnessSupport.h"
#include "data/Cp932Codec.h"
#include "data/Filest.h"
#include "data/IndexLoader.h"
#include "data/ItemReader.h"
#include "search/Search.h"
#include "search/SearchText.h"

#include <gtest/gtest.h>

#include <memory>

namespace fs = std::filesystem;

namespace mervasto::test {
namespace {

constexpr std::uintmax_t OneGigabyte = std::uintmax_t{1} << 30;
// Far below what holding a gigabyte (two as UTF-16) would take, far above the reader's buffers.
constexpr std::size_t MemoryBudget = 256u << 20;

// A data directory with the tables of a small completed build of both builders.
class LargeInput : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(dir);
        buildPreviousTables(root.path(), dir, filest->indexTable);
        if (HasFatalFailure())
            return;
        before = tablesState(dir, filest->indexTable);
    }

    void expectBothBuildsFailUnchanged(const fs::path& csv) {
        const std::size_t peakBefore = peakResidentBytes();
        const BuildOutcome national = buildNational(csv, dir, filest->indexTable);
        const BuildOutcome offices = buildOffices(csv, dir);
        EXPECT_EQ(national.result, BuildResult::Failed);
        EXPECT_EQ(offices.result, BuildResult::Failed);
        EXPECT_EQ(tablesState(dir, filest->indexTable), before);
        EXPECT_LT(peakResidentBytes() - peakBefore, MemoryBudget);
    }

    TempDir root;
    fs::path dir = root / "data";
    std::unique_ptr<Filest> filest = std::make_unique<Filest>();
    TablesState before;
};

TEST_F(LargeInput, GigabyteOfNulBytesWithoutLineEndFailsInBoundedMemory) {
    writeSparseZeros(root / "huge.csv", OneGigabyte);
    expectBothBuildsFailUnchanged(root / "huge.csv");
}

TEST_F(LargeInput, GigabyteTableWithoutLineEndGivesTheSearchMessages) {
    writeSparseZeros(dir / "ZipCode1.txt", OneGigabyte);
    writeSparseZeros(dir / "ZipCode2.txt", OneGigabyte);
    const std::size_t peakBefore = peakResidentBytes();

    const SearchOutcome address = runSearch(dir, filest->indexTable, u"100-0001", false);
    const SearchOutcome offices = runSearch(dir, filest->indexTable, u"100-0001", true);

    ASSERT_TRUE(address.message);
    EXPECT_EQ(address.message->text, SearchText::AddressTableMissing);
    ASSERT_TRUE(offices.message);
    EXPECT_EQ(offices.message->text, SearchText::OfficeTableMissing);
    EXPECT_LT(peakResidentBytes() - peakBefore, MemoryBudget);
}

TEST_F(LargeInput, TenMegabyteItemFailsBothBuilds) {
    writeBytes(root / "long.csv", "13101,\"" + std::string(10u << 20, 'a') + "\",0\r\n");
    expectBothBuildsFailUnchanged(root / "long.csv");
}

// A line of 10 MB made of short items: rows are counted over the stream of items, so it builds.
TEST_F(LargeInput, TenMegabyteLineOfShortItemsBuilds) {
    const std::string row =
        "13101,100,1000001,a,b,c," + encodeCp932(u"東京都") + ",C,t,0,0,0,0,0,0,";
    std::string line;
    while (line.size() < (10u << 20))
        line += row;
    writeBytes(root / "line.csv", line);
    const std::size_t rows = line.size() / row.size();

    ASSERT_EQ(buildNational(root / "line.csv", dir, filest->indexTable).result,
              BuildResult::Completed);
    EXPECT_EQ(fs::file_size(dir / "ZIPCODE.txt"), rows * 70);
    EXPECT_EQ(filest->indexTable.Count, 2); // one city, then the closing entry
    ASSERT_EQ(buildOffices(root / "line.csv", dir).result, BuildResult::Refused);
}

TEST_F(LargeInput, TwoHundredThousandRowsBuildAndSearch) {
    writeBytes(root / "rows.csv", nationalCsv(200000, 200));

    ASSERT_EQ(buildNational(root / "rows.csv", dir, filest->indexTable).result,
              BuildResult::Completed);

    EXPECT_EQ(fs::file_size(dir / "ZIPCODE.txt"), 200000u * 70u);
    IndexTable loaded;
    ASSERT_TRUE(loadIndexTable(dir, loaded));
    EXPECT_EQ(loaded.Count, 1001);
    EXPECT_EQ(loaded.FirstRecord[1000], 200001);
    const SearchOutcome city = runSearch(dir, loaded, u"東京都C0999丸の内199999", false);
    EXPECT_EQ(city.code, u"119-9999");
    // Every line of the text pass: more than a 16-bit count of list lines.
    const SearchOutcome all = runSearch(dir, loaded, u"丸の内", false);
    EXPECT_FALSE(all.message);
    EXPECT_EQ(all.lines.size(), 200000u);
    EXPECT_EQ(all.status, u"200000件　見つかりました。");
}

// The 32,768th business office overflows the 16-bit record count long before 200,000.
TEST_F(LargeInput, TwoHundredThousandOfficesOverflowAndLeaveTheTable) {
    writeBytes(root / "offices.csv", officeCsv(200000));
    EXPECT_EQ(buildOffices(root / "offices.csv", dir).result, BuildResult::Failed);
    EXPECT_EQ(tablesState(dir, filest->indexTable), before);
}

} // namespace
} // namespace mervasto::test

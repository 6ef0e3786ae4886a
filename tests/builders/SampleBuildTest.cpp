#include "BuildTestSupport.h"
#include "builders/NationalTableBuild.h"
#include "builders/OfficeTableBuild.h"
#include "data/IndexLoader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace mervasto::test {
namespace {

const std::filesystem::path samples = MERVASTO_SAMPLES_DIR;

TEST(SampleBuild, NationalIndexInMemoryIsWhatStartUpLoads) {
    BuildPlace place;
    auto built = std::make_unique<Filest>();
    ScriptedAsk ask;
    RecordingProgress progress;

    const auto outcome = buildNationalTables(samples / "KEN_ALL.CSV", place.dataDir,
                                             built->indexTable, ask.callback(), progress);

    ASSERT_EQ(outcome.result, BuildResult::Completed) << outcome.detail;
    EXPECT_EQ(place.bytes("ZIPCODE.txt").size(), 4164u * 70);
    EXPECT_EQ(built->indexTable.Key[0], u"東京都千代田区");
    auto loaded = std::make_unique<Filest>();
    ASSERT_TRUE(loadIndexTable(place.dataDir, loaded->indexTable));
    const auto& table = built->indexTable;
    ASSERT_EQ(loaded->indexTable.Count, table.Count);
    for (int slot = 0; slot < table.Count; ++slot) {
        EXPECT_EQ(loaded->indexTable.Key[slot], table.Key[slot]);
        EXPECT_EQ(loaded->indexTable.City[slot], table.City[slot]);
        EXPECT_EQ(loaded->indexTable.FirstRecord[slot], table.FirstRecord[slot]);
    }
    EXPECT_EQ(table.FirstRecord[table.Count - 1], 4165);
}

TEST(SampleBuild, OfficeTableHasALinePerRecord) {
    BuildPlace place;
    ScriptedAsk ask;
    RecordingProgress progress;

    const auto outcome =
        buildOfficeTable(samples / "JIGYOSYO.CSV", place.dataDir, ask.callback(), progress);

    ASSERT_EQ(outcome.result, BuildResult::Completed) << outcome.detail;
    const auto table = place.bytes("ZipCode2.txt");
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 4642);
    EXPECT_EQ(progress.events.back(), "value 50000");
}

} // namespace
} // namespace mervasto::test

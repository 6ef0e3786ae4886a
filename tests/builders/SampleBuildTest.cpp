#include "BuildTestSupport.h"
#include "TestZip.h"
#include "builders/NationalTableBuild.h"
#include "builders/OfficeTableBuild.h"
#include "data/IndexLoader.h"
#include "data/Utf8.h"

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

// The CP932 file as the operator writes it in UTF-8: the Unicode forms of the CP932 minus and
// tilde, which the CP932 converter reads otherwise.
std::string operatorUtf8(const std::string& cp932) {
    std::u16string text = decodeCp932(cp932);
    std::replace(text.begin(), text.end(), u'\uFF0D', u'\u2212');
    std::replace(text.begin(), text.end(), u'\uFF5E', u'\u301C');
    return toUtf8(text);
}

struct FormCase {
    const char* name;
    void (*write)(const std::filesystem::path& file, const std::string& cp932);
};

class SampleForms : public ::testing::TestWithParam<FormCase> {};

// Zipped or in UTF-8, the operator's files give the very tables that their CP932 CSVs give.
TEST_P(SampleForms, GiveTheTablesOfTheCp932Csv) {
    const auto build = [](const std::filesystem::path& ken, const std::filesystem::path& jigyosyo,
                          const BuildPlace& place) {
        auto filest = std::make_unique<Filest>();
        ScriptedAsk ask;
        RecordingProgress progress;
        const auto national =
            buildNationalTables(ken, place.dataDir, filest->indexTable, ask.callback(), progress);
        const auto office = buildOfficeTable(jigyosyo, place.dataDir, ask.callback(), progress);
        EXPECT_EQ(national.result, BuildResult::Completed) << national.detail;
        EXPECT_EQ(office.result, BuildResult::Completed) << office.detail;
        EXPECT_EQ(national.substituted + office.substituted, 0u);
        return std::vector<std::string>{place.bytes("ZIPCODE.txt"), place.bytes("ZIPID1.txt"),
                                        place.bytes("ZipCode1.txt"), place.bytes("ZipCode2.txt")};
    };
    const BuildPlace reference, place;
    const auto ken = place.root / "ken", jigyosyo = place.root / "jigyosyo";
    GetParam().write(ken, readBytes(samples / "KEN_ALL.CSV"));
    GetParam().write(jigyosyo, readBytes(samples / "JIGYOSYO.CSV"));

    EXPECT_EQ(build(ken, jigyosyo, place),
              build(samples / "KEN_ALL.CSV", samples / "JIGYOSYO.CSV", reference));
}

INSTANTIATE_TEST_SUITE_P(
    Forms, SampleForms,
    ::testing::Values(
        FormCase{"Zip",
                 [](const auto& file, const auto& cp932) {
                     writeZip(file, {{"DATA.CSV", cp932}});
                 }},
        FormCase{"Utf8", [](const auto& file,
                            const auto& cp932) { writeBytes(file, operatorUtf8(cp932)); }},
        FormCase{"Utf8WithBomInAStoredZip",
                 [](const auto& file, const auto& cp932) {
                     writeZip(file, {{"utf_data.csv", "\xEF\xBB\xBF" + operatorUtf8(cp932)}},
                              ZipMethod::Stored);
                 }}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace mervasto::test

#include "data/TableSources.h"
#include "data/CarriedData.h"
#include "data/TablePaths.h"
#include "data/TableStamp.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace mervasto {
namespace {

namespace fs = std::filesystem;

const SetSource CarriedSeptember{DataOrigin::Carried, {2025, 9, 30, 0, 0, 0}};
const SetSource OwnOctober{DataOrigin::OwnFile, {2025, 10, 31, 9, 15, 2}};

TEST(TableSources, RecordReadsBackAsWritten) {
    const std::vector<TableSources> records{
        {},
        {CarriedSeptember, std::nullopt, 1},
        {std::nullopt, OwnOctober, 7},
        {OwnOctober, CarriedSeptember, 18'446'744'073'709'551'615ULL},
    };
    for (const auto& record : records)
        EXPECT_EQ(parseTableSources(formatTableSources(record)), record)
            << formatTableSources(record);
    EXPECT_EQ(formatTableSources({CarriedSeptember, OwnOctober, 3}),
              "generation 3\n"
              "national carried 2025-09-30 00:00:00\n"
              "offices own 2025-10-31 09:15:02\n");
}

TEST(TableSources, DamagedLinesLoseOnlyWhatTheyTell) {
    const TableSources record = parseTableSources("generation 4\r\n"
                                                  "national carried 2025-09-31 00:00:00\r\n"
                                                  "offices own 2025-10-31 09:15:02\r\n"
                                                  "generation -1\n"
                                                  "elsewhere carried 2025-09-30 00:00:00\n"
                                                  "offices");
    EXPECT_EQ(record, (TableSources{std::nullopt, OwnOctober, 4}));
}

TEST(TableSources, MissingRecordIsEmpty) {
    const test::TempDir dir;
    EXPECT_EQ(readTableSources(dir.path()), TableSources{});
    test::writeBytes(dir / "TABLESOURCES.TXT", formatTableSources({CarriedSeptember, {}, 2}));
    EXPECT_EQ(readTableSources(dir.path()), (TableSources{CarriedSeptember, {}, 2}));
}

// Two replacements can leave an index of the same size and time stamp; the generation tells.
TEST(IndexFileStamp, ChangesWithTheGeneration) {
    const test::TempDir dir;
    EXPECT_FALSE(indexFileStamp(dir.path()));
    test::writeBytes(dir / "ZIPID1.txt", "index");
    const auto time = fs::last_write_time(dir / "ZIPID1.txt");
    test::writeBytes(dir / "TableSources.txt", formatTableSources({CarriedSeptember, {}, 1}));
    const auto first = indexFileStamp(dir.path());

    test::writeBytes(dir / "ZIPID1.txt", "INDEX");
    fs::last_write_time(dir / "ZIPID1.txt", time);
    EXPECT_EQ(indexFileStamp(dir.path()), first);
    test::writeBytes(dir / "TableSources.txt", formatTableSources({CarriedSeptember, {}, 2}));
    ASSERT_TRUE(first);
    EXPECT_NE(indexFileStamp(dir.path()), first);
}

// An installation under a temporary prefix: the program in bin/, its data in share/mervasto/.
struct CarriedCase {
    const char* name;
    std::vector<fs::path> files; // relative to the prefix
    fs::path national, offices;  // what is found, relative to the prefix; empty: nothing
};

void PrintTo(const CarriedCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class FindCarriedData : public ::testing::TestWithParam<CarriedCase> {};

TEST_P(FindCarriedData, TakesTheFirstDirectoryThatHoldsAny) {
    const test::TempDir prefix;
    for (const auto& file : GetParam().files) {
        fs::create_directories((prefix.path() / file).parent_path());
        test::writeBytes(prefix.path() / file, "PK");
    }
    const auto found = [&](const fs::path& relative) {
        return relative.empty() ? fs::path() : (prefix.path() / relative).lexically_normal();
    };
    const CarriedData carried = findCarriedData(prefix / "bin");
    EXPECT_EQ(carried.national.lexically_normal(), found(GetParam().national));
    EXPECT_EQ(carried.offices.lexically_normal(), found(GetParam().offices));
}

const CarriedCase carriedCases[] = {
    {"Installed",
     {"share/mervasto/ken_all.zip", "share/mervasto/jigyosyo.zip"},
     "share/mervasto/ken_all.zip",
     "share/mervasto/jigyosyo.zip"},
    {"BesideTheProgram",
     {"bin/ken_all.zip", "bin/jigyosyo.zip", "share/mervasto/ken_all.zip"},
     "bin/ken_all.zip",
     "bin/jigyosyo.zip"},
    {"OneArchiveBesideTheProgram",
     {"bin/jigyosyo.zip", "share/mervasto/ken_all.zip"},
     "",
     "bin/jigyosyo.zip"},
    {"None", {"share/mervasto/manual/index.html"}, "", ""},
};

INSTANTIATE_TEST_SUITE_P(Installations, FindCarriedData, ::testing::ValuesIn(carriedCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace mervasto

// Whatever file the browse button finds, built by both builders over a completed build: each
// ends in a completed build or in the error message with everything as it was, never a crash.
// Files that are not the operator's are refused.

#include "RobustnessSupport.h"
#include "data/Cp932Codec.h"
#include "data/Filest.h"
#include "data/IndexLoader.h"
#include "data/ItemReader.h"
#include "search/Search.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace fs = std::filesystem;

namespace mervasto::test {
namespace {

struct HostileCsv {
    const char* name;
    std::string (*bytes)();
    BuildResult national;
    BuildResult offices;
};

std::string utf8Rows() {
    // The national rows as a UTF-8 export would have them: the national builder reads them as
    // UTF-8; to the office builder they are no office rows.
    const std::u16string rows = decodeCp932(nationalCsv(3, 2));
    std::string utf8;
    for (const char16_t unit : rows) { // the rows are BMP text
        if (unit < 0x80) {
            utf8 += static_cast<char>(unit);
        } else if (unit < 0x800) {
            utf8 += static_cast<char>(0xC0 | unit >> 6);
            utf8 += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            utf8 += static_cast<char>(0xE0 | unit >> 12);
            utf8 += static_cast<char>(0x80 | (unit >> 6 & 0x3F));
            utf8 += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return utf8;
}

std::string utf16WithByteOrderMark() {
    std::string bytes = "\xFF\xFE";
    for (const char c : nationalCsv(3, 2).substr(0, 200)) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

std::string randomBytes() {
    std::mt19937 generator(20240607);
    std::string bytes(64 * 1024, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(generator());
    return bytes;
}

const HostileCsv Cases[] = {
    {"Empty", [] { return std::string(); }, BuildResult::Refused, BuildResult::Refused},
    {"Utf8Export", utf8Rows, BuildResult::Completed, BuildResult::Refused},
    {"Utf16WithByteOrderMark", utf16WithByteOrderMark, BuildResult::Refused, BuildResult::Refused},
    {"RandomBytes", randomBytes, BuildResult::Refused, BuildResult::Refused},
    {"OnlyLineEnds", [] { return std::string(3000, '\n'); }, BuildResult::Refused,
     BuildResult::Refused},
    {"LoneCarriageReturns", [] { return std::string(3000, '\r'); }, BuildResult::Refused,
     BuildResult::Refused},
    {"OnlyQuotes", [] { return std::string(3001, '"'); }, BuildResult::Refused,
     BuildResult::Refused},
    {"QuoteNeverClosed", [] { return "\"" + std::string(ItemReader::maxItemLength + 10, 'x'); },
     BuildResult::Failed, BuildResult::Failed},
    {"LeadByteCutOffAtTheEnd", [] { return nationalCsv(2, 1) + "\x82"; }, BuildResult::Refused,
     BuildResult::Refused},
    {"NumbersOutOfRange", [] { return std::string(40, '9') + std::string(20, ','); },
     BuildResult::Refused, BuildResult::Refused},
};

// A data directory with the tables of a completed build.
class PreviousTables : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(dir);
        buildPreviousTables(root.path(), dir, filest->indexTable);
    }

    void expectOutcome(const BuildOutcome& outcome, BuildResult expected,
                       const TablesState& before) {
        EXPECT_EQ(outcome.result, expected) << outcome.detail;
        if (outcome.result != BuildResult::Completed) {
            EXPECT_EQ(tablesState(dir, filest->indexTable), before);
        }
    }

    TempDir root;
    fs::path dir = root / "data";
    fs::path csv = root / "input.csv";
    std::unique_ptr<Filest> filest = std::make_unique<Filest>();
};

class HostileInput : public PreviousTables, public ::testing::WithParamInterface<HostileCsv> {};

TEST_P(HostileInput, BuildsOrFailsCleanly) {
    writeBytes(csv, GetParam().bytes());
    const TablesState before = tablesState(dir, filest->indexTable);
    expectOutcome(buildNational(csv, dir, filest->indexTable), GetParam().national, before);
    const TablesState afterNational = tablesState(dir, filest->indexTable);
    expectOutcome(buildOffices(csv, dir), GetParam().offices, afterNational);

    // Whatever was built loads and searches without a crash.
    EXPECT_EQ(fs::file_size(dir / "ZIPCODE.txt") % 70, 0u);
    IndexTable loaded;
    loadIndexTable(dir, loaded);
    for (const bool offices : {false, true})
        runSearch(dir, loaded, u"東京都C0001丸の内", offices);
}

TEST_F(PreviousTables, DirectoryAsCsvFailsCleanly) {
    fs::create_directory(csv);
    const TablesState before = tablesState(dir, filest->indexTable);
    expectOutcome(buildNational(csv, dir, filest->indexTable), BuildResult::Failed, before);
    expectOutcome(buildOffices(csv, dir), BuildResult::Failed, before);
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileInput, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace mervasto::test

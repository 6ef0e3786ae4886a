#include "data/SourceText.h"

#include "TestFiles.h"
#include "TestZip.h"
#include "data/Cp932Codec.h"
#include "data/DataError.h"
#include "data/Utf8.h"
#include "data/Utf8TextDecoder.h"

#include <gtest/gtest.h>

#include <chrono>

namespace fs = std::filesystem;

namespace mervasto::test {
namespace {

const std::u16string Text = u"13101,\"東京都\",\"ﾄｳｷｮｳﾄ\",\"霞が関－１～２\"\r\n";
const std::string Cp932Text = encodeCp932(Text);
const std::string Utf8Text = toUtf8(Text);
const std::string Bom = "\xEF\xBB\xBF";

struct Reading {
    std::u16string text;
    std::size_t substituted = 0;
};

Reading readAll(const fs::path& file) {
    const SourceFile source(file);
    SourceText reading = source.open();
    std::string bytes;
    for (std::string_view chunk; !(chunk = reading.bytes->read(4096)).empty();)
        bytes += chunk;
    Reading result;
    reading.decoder->decode(bytes, true, result.text);
    result.substituted = reading.decoder->substitutedCount();
    return result;
}

struct ReadCase {
    const char* name;
    void (*arrange)(const fs::path& file);
    std::u16string text = Text;
    std::size_t substituted = 0;
};

class SourceFileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(SourceFileRead, GivesTheTextTheTablesWillHold) {
    TempDir dir;
    const auto file = dir / "input";
    GetParam().arrange(file);

    const Reading reading = readAll(file);

    EXPECT_EQ(reading.text, GetParam().text);
    EXPECT_EQ(reading.substituted, GetParam().substituted);
    // A second reading (the national build reads twice) gives the same.
    EXPECT_EQ(readAll(file).text, reading.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SourceFileRead,
    ::testing::Values(
        ReadCase{"Cp932", [](const fs::path& file) { writeBytes(file, Cp932Text); }},
        ReadCase{"Utf8", [](const fs::path& file) { writeBytes(file, Utf8Text); }},
        ReadCase{"Utf8WithBom", [](const fs::path& file) { writeBytes(file, Bom + Utf8Text); }},
        ReadCase{"StoredZip",
                 [](const fs::path& file) {
                     writeZip(file, {{"KEN_ALL.CSV", Cp932Text}}, ZipMethod::Stored);
                 }},
        ReadCase{"DeflatedZipOfUtf8WithBom",
                 [](const fs::path& file) {
                     writeZip(file, {{"utf_ken_all.csv", Bom + Utf8Text}});
                 }},
        ReadCase{
            "ZipWithAReadmeBesideTheCsv",
            [](const fs::path& file) {
                writeZip(file, {{"readme.txt", "read me"}, {"dir/", ""}, {"x.Csv", Cp932Text}});
            }},
        // Names as long as the zip format allows are read whole, whatever their length.
        ReadCase{"CsvNamedWith1100Bytes",
                 [](const fs::path& file) {
                     writeZip(file, {{std::string(1096, 'k') + ".csv", Cp932Text}});
                 }},
        ReadCase{"CsvNamedWith1024BytesBesideALongerName",
                 [](const fs::path& file) {
                     writeZip(file, {{std::string(1100, 'r') + ".txt", "read me"},
                                     {std::string(1020, 'k') + ".CSV", Cp932Text},
                                     {std::string(65'531, 'x') + ".csv.txt", ""}});
                 }},
        // The operator's UTF-8 forms of CP932 characters are read as CP932 reads them.
        ReadCase{"UnicodeFormsOfCp932Characters",
                 [](const fs::path& file) {
                     writeBytes(file, toUtf8(u"\u2212\u301C\u2016\u2014\u00A2\u00A3\u00AC\u00A6"));
                 },
                 u"\uFF0D\uFF5E\u2225\u2015\uFFE0\uFFE1\uFFE2\uFFE4"},
        ReadCase{"CharactersCp932CannotHoldAreCounted",
                 [](const fs::path& file) { writeBytes(file, toUtf8(u"A\u00E9B\U00020BB7C〓")); },
                 u"A〓B〓C〓", 2},
        ReadCase{"BinaryIsReadAsCp932",
                 [](const fs::path& file) { writeBytes(file, std::string("\x82\xA0\0\x80", 4)); },
                 std::u16string(u"\u3042\0\uFFFD", 3)}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
    const char* name;
    void (*arrange)(const fs::path& file);
    const char* message;
};

class SourceFileRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(SourceFileRefusal, NamesTheFileAndWhatIsWrong) {
    TempDir dir;
    const auto file = dir / "input.zip";
    GetParam().arrange(file);

    try {
        const SourceFile source(file);
        source.open();
        FAIL() << "not refused";
    } catch (const DataError& error) {
        EXPECT_EQ(error.kind(), DataError::Kind::WrongInput);
        EXPECT_EQ(std::string(error.what()),
                  toUtf8((dir / "input.zip").u16string()) + ": " + GetParam().message);
    }
}

// A deflated archive of a CSV large enough that damage inside its data shows.
void writeLargeZip(const fs::path& file) {
    std::string csv;
    for (int row = 0; row < 2000; ++row)
        csv += std::to_string(row * 7919) + "," + Cp932Text;
    writeZip(file, {{"KEN_ALL.CSV", csv}});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SourceFileRefusal,
    ::testing::Values(
        RefusalCase{"NoCsvInside",
                    [](const fs::path& file) {
                        writeZip(file, {{"readme.txt", Cp932Text}});
                    },
                    "the zip archive holds no CSV file"},
        RefusalCase{"TwoCsvsInside",
                    [](const fs::path& file) {
                        writeZip(file, {{"KEN_ALL.CSV", Cp932Text}, {"JIGYOSYO.CSV", Cp932Text}});
                    },
                    "the zip archive holds 2 CSV files, not one"},
        RefusalCase{"ListingBrokenAfterTheCsv",
                    [](const fs::path& file) {
                        writeZip(file, {{"KEN_ALL.CSV", Cp932Text}, {"readme.txt", "x"}});
                        auto bytes = readBytes(file);
                        const auto first = bytes.find("PK\x01\x02");
                        bytes[bytes.find("PK\x01\x02", first + 4) + 2] = '\x09';
                        writeBytes(file, bytes);
                    },
                    "damaged zip archive"},
        RefusalCase{"CutToHalf",
                    [](const fs::path& file) {
                        writeLargeZip(file);
                        const auto bytes = readBytes(file);
                        writeBytes(file, bytes.substr(0, bytes.size() / 2));
                    },
                    "not a readable zip archive"},
        RefusalCase{"DamagedData",
                    [](const fs::path& file) {
                        writeLargeZip(file);
                        auto bytes = readBytes(file);
                        for (std::size_t pos = 200; pos < 400; ++pos)
                            bytes[pos] = static_cast<char>(~bytes[pos]);
                        writeBytes(file, bytes);
                    },
                    "the CSV file in the zip archive is damaged"},
        RefusalCase{"DeclaredSizeOverTheLimit",
                    [](const fs::path& file) {
                        writeZip(file, {{"KEN_ALL.CSV", Cp932Text}});
                        patchDeclaredSize(file, 200'000'001);
                    },
                    "the CSV file in the zip archive is larger than 200 MB"},
        RefusalCase{"DeclaredSizeBelowTheData",
                    [](const fs::path& file) {
                        writeZip(file, {{"KEN_ALL.CSV", Cp932Text}});
                        patchDeclaredSize(file, 10);
                    },
                    "the CSV file in the zip archive is damaged"},
        RefusalCase{"DeclaredSizeAboveTheData",
                    [](const fs::path& file) {
                        writeZip(file, {{"KEN_ALL.CSV", Cp932Text}});
                        patchDeclaredSize(file, 100'000);
                    },
                    "the CSV file in the zip archive is damaged"},
        RefusalCase{
            "EmptyArchive",
            [](const fs::path& file) { writeBytes(file, "PK\x05\x06" + std::string(18, '\0')); },
            "not a readable zip archive"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SourceFile, MissingFileIsNotFound) {
    TempDir dir;
    try {
        SourceFile source(dir / "absent.csv");
        FAIL() << "opened";
    } catch (const DataError& error) {
        EXPECT_EQ(error.kind(), DataError::Kind::FileNotFound);
    }
}

// The data's date: a zip entry's own, whatever the archive's time stamp; a CSV's time stamp.
TEST(SourceDate, IsTheEntryDateOrTheFileTime) {
    TempDir dir;
    const LocalDateTime published{2025, 9, 30, 0, 0, 0};
    writeZip(dir / "ken_all.zip", {{"readme.txt", "x"}, {"KEN_ALL.CSV", Cp932Text, published}});
    EXPECT_EQ(sourceDate(dir / "ken_all.zip"), published);

    writeBytes(dir / "KEN_ALL.CSV", Cp932Text);
    const auto written = fs::last_write_time(dir / "KEN_ALL.CSV") - std::chrono::hours(24 * 400);
    fs::last_write_time(dir / "KEN_ALL.CSV", written);
    const LocalDateTime date = sourceDate(dir / "KEN_ALL.CSV");
    EXPECT_EQ(date, localDateTime(written));
    EXPECT_LT(date, localDateTime(fs::file_time_type::clock::now()));

    EXPECT_THROW(sourceDate(dir / "absent.csv"), DataError);
    writeZip(dir / "empty.zip", {{"readme.txt", "x"}});
    EXPECT_THROW(sourceDate(dir / "empty.zip"), DataError);
}

// Whatever the chunks a file is read in, the UTF-8 text comes out the same.
TEST(Utf8TextDecoder, CharacterSplitBetweenChunksIsKeptBack) {
    const std::string utf8 = toUtf8(u"a\u00E9\u3042\U00020BB7\u2212z");
    for (std::size_t split = 0; split <= utf8.size(); ++split) {
        SCOPED_TRACE(split);
        Utf8TextDecoder decoder;
        std::u16string text;
        decoder.decode(std::string_view(utf8).substr(0, split), false, text);
        decoder.decode(std::string_view(utf8).substr(split), true, text);
        EXPECT_EQ(text, u"a〓\u3042〓\uFF0Dz");
        EXPECT_EQ(decoder.substitutedCount(), 2u);
    }
}

// Malformed three-byte sequences are bad characters byte by byte, as every other malformed
// sequence is; well-formed ones are the characters the tables hold.
TEST(Utf8TextDecoder, ThreeByteSequences) {
    const struct {
        std::string_view bytes;
        std::u16string_view text;
        std::size_t substituted;
    } cases[] = {
        {"\xE3\x81\x82", u"\u3042", 0},       // あ
        {"\xEF\xBD\xB1", u"\uFF71", 0},       // half-width katakana
        {"\xE2\x88\x92", u"\uFF0D", 0},       // minus sign: the CP932 minus
        {"\xE0\x80\x80", u"〓〓〓", 3},       // overlong
        {"\xED\xA0\x80", u"〓〓〓", 3},       // a surrogate
        {"\xE3\x81", u"〓〓", 2},             // cut off by the end of the file
        {"\xE3\x41\x82", u"〓A〓", 2},        // a continuation byte missing
        {"\xE3\x81\x82\xE3", u"\u3042〓", 1}, // one whole, one cut off
    };
    for (const auto& example : cases) {
        SCOPED_TRACE(std::string(example.bytes));
        Utf8TextDecoder decoder;
        std::u16string text;
        decoder.decode(example.bytes, true, text);
        EXPECT_EQ(text, example.text);
        EXPECT_EQ(decoder.substitutedCount(), example.substituted);
    }
}

} // namespace
} // namespace mervasto::test

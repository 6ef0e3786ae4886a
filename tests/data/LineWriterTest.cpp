#include "data/LineWriter.h"
#include "data/DataError.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

namespace mervasto {
namespace {

struct WriteCase {
    const char* name;
    std::function<void(LineWriter&)> write;
    std::string bytes;
};

class LineWriterBytesTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(LineWriterBytesTest, WritesExactBytes) {
    test::TempDir dir;
    LineWriter writer(dir / "out.txt");
    GetParam().write(writer);
    writer.close();
    EXPECT_EQ(test::readBytes(dir / "out.txt"), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LineWriterBytesTest,
    ::testing::Values(
        WriteCase{"Nothing", [](LineWriter&) {}, ""},
        WriteCase{"TextWithCrLf", [](LineWriter& w) { w.writeLine(u"a,\"b\""); }, "a,\"b\"\r\n"},
        WriteCase{"EmptyLine", [](LineWriter& w) { w.writeLine(u""); }, "\r\n"},
        WriteCase{"Cp932", [](LineWriter& w) { w.writeLine(u"100-0005\u3000\u3000丸"); },
                  "100-0005\x81\x40\x81\x40\x8A\xDB\r\n"},
        WriteCase{"PositiveNumber", [](LineWriter& w) { w.writeNumber(1); }, " 1 \r\n"},
        WriteCase{"Zero", [](LineWriter& w) { w.writeNumber(0); }, " 0 \r\n"},
        WriteCase{"NegativeNumber", [](LineWriter& w) { w.writeNumber(-5); }, "-5 \r\n"},
        WriteCase{"ClosingIndexEntry",
                  [](LineWriter& w) {
                      w.writeLine(u"");
                      w.writeLine(u"");
                      w.writeNumber(124496);
                  },
                  "\r\n\r\n 124496 \r\n"}),
    [](const auto& info) { return info.param.name; });

TEST(LineWriter, TruncatesAnExistingFile) {
    test::TempDir dir;
    test::writeBytes(dir / "out.txt", "old contents that are longer");
    LineWriter writer(dir / "out.txt");
    writer.writeLine(u"new");
    writer.close();
    EXPECT_EQ(test::readBytes(dir / "out.txt"), "new\r\n");
}

TEST(LineWriter, CannotCreateFileThrows) {
    test::TempDir dir;
    EXPECT_THROW(LineWriter(dir / "no-such-dir" / "out.txt"), DataError);
}

TEST(LineWriter, FullDiskIsReportedOnClose) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    LineWriter writer("/dev/full");
    try {
        writer.writeLine(u"lost");
        writer.close();
        FAIL() << "the failed write was not reported";
    } catch (const DataError& error) {
        EXPECT_EQ(error.kind(), DataError::Kind::Io);
    }
}

} // namespace
} // namespace mervasto

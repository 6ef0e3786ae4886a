#include "data/RecordFile.h"
#include "data/Cp932Codec.h"
#include "data/DataError.h"
#include "data/ZipRecord.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace mervasto {
namespace {

std::string bytesOf(const RecordBytes& bytes) {
    return {bytes.begin(), bytes.end()};
}

ZipRecord recordOf(std::u16string_view code, std::u16string_view address) {
    ZipRecord record;
    record.setCode(code);
    record.setAddress(address);
    return record;
}

struct FieldCase {
    const char* name;
    std::u16string address;
    std::string addressBytes; // before the padding spaces
};

class AddressEncodingTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(AddressEncodingTest, FitsAddressToSixtyBytes) {
    const std::string bytes = bytesOf(encodeZipRecord(recordOf(u"1234567", GetParam().address)));
    ASSERT_EQ(bytes.size(), 70u);
    EXPECT_EQ(bytes.substr(0, 10), "1234567   ");
    const std::string expected =
        GetParam().addressBytes + std::string(60 - GetParam().addressBytes.size(), ' ');
    EXPECT_EQ(bytes.substr(10), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Record, AddressEncodingTest,
    ::testing::Values(FieldCase{"Empty", u"", ""},
                      FieldCase{"TwentyBytes", u"東京都千代田区丸の内",
                                encodeCp932(u"東京都千代田区丸の内")},
                      // 29 double-byte characters and one ASCII letter reach byte 59; the next
                      // double-byte character would straddle byte 60 and is dropped.
                      FieldCase{"StraddlingCharacterDropped", u"a" + std::u16string(30, u'区'),
                                "a" + encodeCp932(std::u16string(29, u'区'))},
                      FieldCase{"ExactlySixtyBytes", std::u16string(31, u'区'),
                                encodeCp932(std::u16string(30, u'区'))},
                      FieldCase{"HalfWidthKanaAreSingleBytes", std::u16string(61, u'ｱ'),
                                std::string(60, '\xB1')}),
    [](const auto& info) { return info.param.name; });

TEST(ZipRecord, FieldsArePaddedOrCutToCharacterWidth) {
    const ZipRecord record = recordOf(u"12345678901", u"東京都");
    EXPECT_EQ(record.Code, u"1234567890");
    EXPECT_EQ(record.Address, u"東京都" + std::u16string(57, u' '));
}

TEST(ZipRecord, DecodingPadsToCharacterWidth) {
    const ZipRecord record =
        decodeZipRecord(encodeZipRecord(recordOf(u"1000005", u"東京都千代田区丸の内")));
    EXPECT_EQ(record.Code, u"1000005   ");
    EXPECT_EQ(record.Address, u"東京都千代田区丸の内" + std::u16string(50, u' '));
}

TEST(RecordFile, CountIsLengthDividedBySeventy) {
    test::TempDir dir;
    test::writeBytes(dir / "ZIPCODE.txt", std::string(7000, ' ') + "extra");
    EXPECT_EQ(RecordFileReader(dir / "ZIPCODE.txt").recordCount(), 100);
}

TEST(RecordFile, MissingFileHasNoRecordsAndIsNotCreated) {
    test::TempDir dir;
    RecordFileReader reader(dir / "ZIPCODE.txt");
    EXPECT_EQ(reader.recordCount(), 0);
    EXPECT_FALSE(reader.read(1).has_value());
    EXPECT_FALSE(std::filesystem::exists(dir / "ZIPCODE.txt"));
}

TEST(RecordFile, WrittenRecordsReadBackByNumber) {
    test::TempDir dir;
    RecordFileWriter writer(dir / "ZIPCODE.txt");
    for (int n = 1; n <= 100; ++n)
        writer.write(n, recordOf(std::u16string(7, static_cast<char16_t>(u'0' + n % 10)),
                                 u"北海道" + std::u16string(n % 20, u'区')));
    writer.close();

    const std::string bytes = test::readBytes(dir / "ZIPCODE.txt");
    ASSERT_EQ(bytes.size(), 7000u);
    EXPECT_EQ(bytes.substr(6930, 10), "0000000   ");

    RecordFileReader reader(dir / "ZIPCODE.txt");
    ASSERT_EQ(reader.recordCount(), 100);
    for (const int n : {5, 6, 7, 100, 1, 2, 50}) {
        const auto record = reader.read(n);
        ASSERT_TRUE(record.has_value()) << n;
        EXPECT_EQ(record->Code.substr(0, 7),
                  std::u16string(7, static_cast<char16_t>(u'0' + n % 10)));
        EXPECT_EQ(record->Address.substr(0, 3 + n % 20), u"北海道" + std::u16string(n % 20, u'区'));
    }
    for (const int n : {0, -1, 101})
        EXPECT_FALSE(reader.read(n).has_value()) << n;
}

TEST(RecordFile, WritingOutOfOrderPlacesRecordsByNumber) {
    test::TempDir dir;
    RecordFileWriter writer(dir / "ZIPCODE.txt");
    writer.write(2, recordOf(u"2222222", u""));
    writer.write(1, recordOf(u"1111111", u""));
    writer.close();
    const std::string bytes = test::readBytes(dir / "ZIPCODE.txt");
    EXPECT_EQ(bytes.substr(0, 7), "1111111");
    EXPECT_EQ(bytes.substr(70, 7), "2222222");
}

TEST(RecordFile, FullDiskIsReportedOnClose) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    RecordFileWriter writer("/dev/full");
    EXPECT_THROW(
        {
            writer.write(1, ZipRecord{});
            writer.close();
        },
        DataError);
}

} // namespace
} // namespace mervasto

// The record reads of the address search on a damaged ZIPCODE.TXT: an index whose entries
// name cities of the key but point anywhere (negative, past the end, huge, out of order), and
// a record file of valid records, garbage records and a cut-off last record.

#include "FuzzSupport.h"
#include "data/Cp932Codec.h"
#include "data/Filest.h"
#include "data/ZipRecord.h"
#include "search/Search.h"

#include <array>
#include <fuzzer/FuzzedDataProvider.h>
#include <limits>
#include <string>

using namespace mervasto;

namespace {

constexpr std::array<std::u16string_view, 8> Names = {
    u"東京都千代田区", u"千代田区", u"北海道札幌市中央区", u"札幌市中央区", u"丸の内", u"大字",
    u"霞が関",         u"",
};

std::u16string anyText(FuzzedDataProvider& in) {
    if (in.ConsumeBool())
        return std::u16string(Names[in.ConsumeIntegralInRange<std::size_t>(0, Names.size() - 1)]);
    return fuzz::utf16FromBytes(in.ConsumeRandomLengthString(16));
}

std::int32_t anyRecordNumber(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return in.ConsumeIntegral<std::int32_t>();
    case 1:
        return std::numeric_limits<std::int32_t>::max() - in.ConsumeIntegralInRange(0, 2);
    default:
        return in.ConsumeIntegralInRange(-2, 12);
    }
}

void fillIndex(FuzzedDataProvider& in, IndexTable& index) {
    const int entries = in.ConsumeIntegralInRange(0, 6);
    for (int slot = 0; slot < entries; ++slot) {
        index.Key[slot] = anyText(in);
        index.City[slot] = anyText(in);
        index.FirstRecord[slot] = anyRecordNumber(in);
    }
    index.Key[entries].clear();
    index.City[entries].clear();
    index.FirstRecord[entries] = anyRecordNumber(in);
    index.Count = static_cast<std::int16_t>(entries + 1);
}

std::string recordFile(FuzzedDataProvider& in) {
    std::string bytes;
    const int records = in.ConsumeIntegralInRange(0, 12);
    for (int n = 0; n < records; ++n) {
        if (in.ConsumeBool()) {
            ZipRecord record;
            record.setCode(fuzz::utf16FromBytes(in.ConsumeRandomLengthString(20)));
            record.setAddress(anyText(in) + anyText(in));
            const RecordBytes encoded = encodeZipRecord(record);
            bytes.append(encoded.data(), encoded.size());
        } else {
            std::string garbage = in.ConsumeBytesAsString(ZipRecord::Length);
            garbage.resize(ZipRecord::Length, '\x81');
            bytes += garbage;
        }
    }
    bytes += in.ConsumeBytesAsString(in.ConsumeIntegralInRange<std::size_t>(0, 69));
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static IndexTable index;
    FuzzedDataProvider in(data, size);
    fillIndex(in, index);
    const auto dir = fuzz::freshDirectory("records");
    fuzz::writeFile(dir / "ZIPCODE.TXT", recordFile(in));
    const std::u16string key = anyText(in) + anyText(in);
    if (in.ConsumeBool())
        fuzz::writeFile(dir / "ZipCode1.txt", in.ConsumeRemainingBytesAsString());
    if (key.empty())
        return 0;
    const SearchOutcome outcome = searchAddress(dir, index, key);
    fuzz::require(outcome.message.has_value() || outcome.focusText2, "the search ended nowhere");
    fuzz::require(!outcome.copyEnabled || outcome.code.size() <= 8, "a code longer than 8");
    return 0;
}

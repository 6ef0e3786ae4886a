#include "data/ZipRecord.h"

#include "data/Cp932Codec.h"

#include <algorithm>

namespace mervasto {

namespace {

// Left-aligns `value` in a field of `width` characters: cut or padded with spaces.
std::u16string fitToWidth(std::u16string_view value, std::size_t width) {
    std::u16string field(value.substr(0, width));
    field.resize(width, u' ');
    return field;
}

// Writes `text` in CP932 into `out`, cut to `width` bytes (whole characters) and padded with
// spaces.
void encodeField(std::u16string_view text, std::size_t width, char* out) {
    const std::size_t kept = encodeCp932Prefix(text, out, width);
    std::fill(out + kept, out + width, ' ');
}

} // namespace

void ZipRecord::setCode(std::u16string_view code) {
    Code = fitToWidth(code, CodeWidth);
}

void ZipRecord::setAddress(std::u16string_view address) {
    Address = fitToWidth(address, AddressWidth);
}

RecordBytes encodeZipRecord(const ZipRecord& record) {
    return encodeZipRecord(record.Code, record.Address);
}

RecordBytes encodeZipRecord(std::u16string_view code, std::u16string_view address) {
    // Cut to the character width as storing would; the spaces that storing pads with are the
    // ones encodeField pads with.
    RecordBytes bytes;
    encodeField(code.substr(0, ZipRecord::CodeWidth), ZipRecord::CodeWidth, bytes.data());
    encodeField(address.substr(0, ZipRecord::AddressWidth), ZipRecord::AddressWidth,
                bytes.data() + ZipRecord::CodeWidth);
    return bytes;
}

ZipRecord decodeZipRecord(const RecordBytes& bytes) {
    const std::string_view view(bytes.data(), bytes.size());
    ZipRecord record;
    record.setCode(decodeCp932(view.substr(0, ZipRecord::CodeWidth)));
    record.setAddress(decodeCp932(view.substr(ZipRecord::CodeWidth, ZipRecord::AddressWidth)));
    return record;
}

} // namespace mervasto

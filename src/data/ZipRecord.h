#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace mervasto {

// One 70-byte record of ZIPCODE.TXT: the postal code in 10 bytes, the address in 60,
// each left-aligned and padded with spaces.
struct ZipRecord {
    static constexpr std::size_t CodeWidth = 10;
    static constexpr std::size_t AddressWidth = 60;
    static constexpr std::size_t Length = CodeWidth + AddressWidth;

    // In memory both fields are fixed-length strings of CodeWidth and AddressWidth characters.
    std::u16string Code = std::u16string(CodeWidth, u' ');
    std::u16string Address = std::u16string(AddressWidth, u' ');

    // Storing a value left-aligns it and pads it with spaces to the field's character width,
    // or cuts it to that width.
    void setCode(std::u16string_view code);
    void setAddress(std::u16string_view address);
};

using RecordBytes = std::array<char, ZipRecord::Length>;

// Converts each field to CP932 and fits it to its byte width; a double-byte character that
// would straddle the end of a field is dropped and its place padded with a space.
RecordBytes encodeZipRecord(const ZipRecord& record);
// The same for a code and an address as they would be stored in a ZipRecord.
RecordBytes encodeZipRecord(std::u16string_view code, std::u16string_view address);

// Converts the bytes back and pads each field with spaces to its character width again.
ZipRecord decodeZipRecord(const RecordBytes& bytes);

} // namespace mervasto

#pragma once

#include "data/TextDecoder.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace mervasto {

// Conversion between the tables' code page 932 bytes and UTF-16 text in memory.
// Linux converts with glibc iconv ("CP932"), Windows with code page 932 of the Win32 API.

// Bytes that are not valid CP932 (including a lead byte cut off by the end) each decode to
// U+FFFD; decoding never fails.
std::u16string decodeCp932(std::string_view bytes);

// Characters that CP932 cannot represent (and unpaired surrogates) are written as '?'.
std::string encodeCp932(std::u16string_view text);
// The same, appended to `out`.
void appendCp932(std::u16string_view text, std::string& out);
// The same into `out`, as many whole characters as `capacity` bytes hold: a double-byte
// character that would not fit ends the text. Returns the number of bytes written.
std::size_t encodeCp932Prefix(std::u16string_view text, char* out, std::size_t capacity);

// Streaming decoder for readers that take a file in chunks; a sequence left incomplete at the
// end of the input decodes to U+FFFD.
class Cp932StreamDecoder : public TextDecoder {
public:
    void decode(std::string_view bytes, bool final, std::u16string& out) override;

private:
    std::string pending_;
};

} // namespace mervasto

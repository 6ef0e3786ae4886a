#pragma once

namespace mervasto {

// Bytes that start a two-byte character of code page 932.
constexpr bool isCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The halves of a UTF-16 surrogate pair (also applied to code points decoded from UTF-8).
constexpr bool isHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool isLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The ASCII digits 0 to 9 (never the full-width ones).
constexpr bool isAsciiDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

} // namespace mervasto

#pragma once

#include <string>
#include <string_view>

namespace mervasto {

// UTF-8 <-> UTF-16 for the command-line tool and for file names. Invalid input (bad UTF-8,
// unpaired surrogates) becomes U+FFFD; nothing throws.
std::string toUtf8(std::u16string_view text);
std::u16string fromUtf8(std::string_view text);

// One character of UTF-8 text: the bytes it takes (at least 1) and its code point. A malformed
// sequence yields U+FFFD for its first byte only.
struct Utf8Character {
    std::size_t length;
    char32_t code;
};
Utf8Character decodeUtf8Character(std::string_view text, std::size_t pos);

// The length of `bytes` without a multibyte sequence cut off by its end (for reading UTF-8 in
// chunks: the rest is completed by the next chunk).
std::size_t completeUtf8Length(std::string_view bytes);

} // namespace mervasto

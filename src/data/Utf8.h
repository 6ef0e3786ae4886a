#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace mervasto {

// UTF-8 <-> UTF-16 for the command-line tool and for file names. Invalid input (bad UTF-8,
// unpaired surrogates) becomes U+FFFD; nothing throws.
std::string toUtf8(std::u16string_view text);
void appendUtf8(std::u16string_view text, std::string& out);
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

// File names as UTF-8 text, whatever the platform's own form of names (narrow names on
// Windows would take the ANSI code page, which cannot hold every name): for messages, and for
// names that are written down, as in the commit record of a table replacement.
inline std::string nameText(const std::filesystem::path& name) {
    const std::u8string text = name.u8string();
    return {text.begin(), text.end()};
}
inline std::filesystem::path named(const std::filesystem::path& dir, std::string_view name) {
    return dir / std::filesystem::path(std::u8string(name.begin(), name.end()));
}

} // namespace mervasto

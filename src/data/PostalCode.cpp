#include "data/PostalCode.h"

#include <algorithm>

namespace mervasto {

namespace {

constexpr std::size_t HyphenatedCodeLength = 8;

// Up to `count` characters from position `start` (0-based); empty when `start` is past the end.
std::u16string_view part(std::u16string_view text, std::size_t start, std::size_t count) {
    return text.substr(std::min(start, text.size()), count);
}

} // namespace

std::u16string hyphenatedCode(std::u16string_view code) {
    std::u16string text;
    appendHyphenatedCode(code, text);
    return text;
}

void appendHyphenatedCode(std::u16string_view code, std::u16string& out) {
    out += part(code, 0, 3);
    out += u'-';
    out += part(code, 3, 4);
}

std::u16string leadingPostalCode(std::u16string_view line) {
    return std::u16string(line.substr(0, HyphenatedCodeLength));
}

} // namespace mervasto

#include "HyphenatedCode.h"

#include <algorithm>

namespace mervasto {

namespace {

// Up to `count` characters from position `start` (0-based); empty when `start` is past the end.
std::u16string_view part(std::u16string_view text, std::size_t start, std::size_t count) {
    return text.substr(std::min(start, text.size()), count);
}

} // namespace

std::u16string hyphenatedCode(std::u16string_view code) {
    std::u16string text(part(code, 0, 3));
    text += u'-';
    text += part(code, 3, 4);
    return text;
}

} // namespace mervasto

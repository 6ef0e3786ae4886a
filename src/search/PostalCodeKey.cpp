#include "search/PostalCodeKey.h"

#include "data/PostalCode.h"

#include <array>
#include <cstddef>

namespace mervasto {

namespace {

constexpr std::size_t FirstPartLength = 3;
constexpr std::size_t CodeDigits = 7;

std::optional<char16_t> asciiDigit(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c;
    if (c >= u'０' && c <= u'９')
        return static_cast<char16_t>(u'0' + (c - u'０'));
    return std::nullopt;
}

bool isHyphenLike(char16_t c) {
    constexpr std::array<char16_t, 5> hyphens{u'-', u'－', u'ー', u'‐', u'−'};
    for (const char16_t hyphen : hyphens) {
        if (c == hyphen)
            return true;
    }
    return false;
}

bool isSpace(char16_t c) {
    return c == u' ' || c == u'　';
}

} // namespace

std::optional<std::u16string> typedPostalCode(std::u16string_view key) {
    std::u16string digits;
    bool hyphenSeen = false;
    for (const char16_t c : key) {
        if (isSpace(c))
            continue;
        if (isHyphenLike(c) && !hyphenSeen && digits.size() == FirstPartLength) {
            hyphenSeen = true;
        } else if (const auto digit = asciiDigit(c); digit && digits.size() < CodeDigits) {
            digits += *digit;
        } else {
            return std::nullopt;
        }
    }
    if (digits.size() != CodeDigits)
        return std::nullopt;
    return hyphenatedCode(digits);
}

} // namespace mervasto

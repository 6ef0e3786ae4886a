#include "data/Utf8.h"

#include "data/CharacterClasses.h"

#include <cstdint>

namespace mervasto {

namespace {

constexpr char32_t Replacement = 0xFFFD;

void appendCodePoint(char32_t code, std::string& out) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

void appendUtf16(char32_t code, std::u16string& out) {
    if (code < 0x10000) {
        out.push_back(static_cast<char16_t>(code));
        return;
    }
    code -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
}

} // namespace

Utf8Character decodeUtf8Character(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80)
        return {1, lead};
    std::size_t length = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        minimum = 0x10000;
    } else {
        return {1, Replacement};
    }
    if (pos + length > text.size())
        return {1, Replacement};
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80)
            return {1, Replacement};
        code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || isHighSurrogate(code) || isLowSurrogate(code))
        return {1, Replacement};
    return {length, code};
}

namespace {

// The number of bytes of the UTF-8 sequence that `lead` starts (1 for anything that is not a
// multibyte lead byte: it stands alone, decoded or replaced).
std::size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 1;
}

} // namespace

std::string toUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    appendUtf8(text, out);
    return out;
}

void appendUtf8(std::u16string_view text, std::string& out) {
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        const char32_t unit = text[pos];
        if (isHighSurrogate(unit) && pos + 1 < text.size() && isLowSurrogate(text[pos + 1])) {
            appendCodePoint(0x10000 + ((unit - 0xD800) << 10) + (text[pos + 1] - 0xDC00), out);
            ++pos;
        } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
            appendCodePoint(Replacement, out);
        } else {
            appendCodePoint(unit, out);
        }
    }
}

std::size_t completeUtf8Length(std::string_view bytes) {
    // A cut-off sequence starts at one of the last three bytes.
    for (std::size_t back = 1; back <= 3 && back <= bytes.size(); ++back) {
        const auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((byte & 0xC0) != 0x80)
            return sequenceLength(byte) > back ? bytes.size() - back : bytes.size();
    }
    return bytes.size();
}

std::u16string fromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const Utf8Character sequence = decodeUtf8Character(text, pos);
        appendUtf16(sequence.code, out);
        pos += sequence.length;
    }
    return out;
}

} // namespace mervasto

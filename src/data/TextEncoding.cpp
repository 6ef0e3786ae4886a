#include "data/TextEncoding.h"

#include <cstddef>

namespace mervasto {

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

// The length of the UTF-8 sequence that `lead` starts (0: not a lead byte), and the smallest
// value and the range a second byte may take after it, so that over-long forms, surrogates and
// code points past U+10FFFF are refused.
struct SequenceRule {
    std::size_t length;
    unsigned char secondLow;
    unsigned char secondHigh;
};

SequenceRule sequenceRule(unsigned char lead) {
    if (lead < 0x80)
        return {1, 0, 0};
    if (lead >= 0xC2 && lead <= 0xDF)
        return {2, 0x80, 0xBF};
    if (lead == 0xE0)
        return {3, 0xA0, 0xBF};
    if (lead == 0xED)
        return {3, 0x80, 0x9F};
    if (lead >= 0xE1 && lead <= 0xEF)
        return {3, 0x80, 0xBF};
    if (lead == 0xF0)
        return {4, 0x90, 0xBF};
    if (lead >= 0xF1 && lead <= 0xF3)
        return {4, 0x80, 0xBF};
    if (lead == 0xF4)
        return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

bool isContinuation(unsigned char byte) {
    return byte >= 0x80 && byte <= 0xBF;
}

enum class CutEnd { Allowed, Refused };

// Whether `bytes` is UTF-8; the last sequence may be cut short when `cutEnd` allows it.
bool isUtf8(std::string_view bytes, CutEnd cutEnd) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[pos]);
        const SequenceRule rule = sequenceRule(lead);
        if (rule.length == 0)
            return false;
        for (std::size_t i = 1; i < rule.length; ++i) {
            if (pos + i == bytes.size())
                return cutEnd == CutEnd::Allowed;
            const auto byte = static_cast<unsigned char>(bytes[pos + i]);
            const bool fits =
                i == 1 ? byte >= rule.secondLow && byte <= rule.secondHigh : isContinuation(byte);
            if (!fits)
                return false;
        }
        pos += rule.length;
    }
    return true;
}

} // namespace

TextEncoding detectTextEncoding(std::string_view sample) {
    if (sample.starts_with(Utf8Bom))
        return TextEncoding::Utf8WithBom;
    return isUtf8(sample, CutEnd::Allowed) ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

TextEncoding detectWholeFileEncoding(std::string_view file) {
    if (file.starts_with(Utf8Bom))
        return TextEncoding::Utf8WithBom;
    return isUtf8(file, CutEnd::Refused) ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

std::size_t byteOrderMarkLength(TextEncoding encoding) {
    return encoding == TextEncoding::Utf8WithBom ? Utf8Bom.size() : 0;
}

} // namespace mervasto

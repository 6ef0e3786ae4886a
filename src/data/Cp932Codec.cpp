#include "data/Cp932Codec.h"

#include "data/CharacterClasses.h"
#include "data/Cp932Platform.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <mutex>

namespace mervasto {

namespace {

constexpr char16_t ReplacementChar = u'\uFFFD';
// Marks a code that forms no character (U+FFFF is a noncharacter: no CP932 code means it).
constexpr char16_t NoCharacter = u'\uFFFF';

bool isAscii(unsigned char byte) {
    return byte < 0x80;
}

// Whether the eight bytes at `bytes` are all ASCII.
bool isAsciiWord(const unsigned char* bytes) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes, sizeof word);
    return (word & 0x8080808080808080u) == 0;
}

// The converter's answers, asked once per code and kept. A row (all codes of one lead byte, or
// 256 UTF-16 units of one high byte) is filled the first time any of its codes is needed, so a
// short conversion asks little and a long one asks each code once.
template <typename Value, std::size_t Rows> class LazyTable {
public:
    template <typename Fill> const std::array<Value, 256>& row(std::size_t index, Fill fill) {
        // The flag spares every later call the once-call's own cost, which is per character.
        if (!ready_[index].load(std::memory_order_acquire)) {
            std::call_once(filled_[index], [&] { fill(index, rows_[index]); });
            ready_[index].store(true, std::memory_order_release);
        }
        return rows_[index];
    }

private:
    std::array<std::array<Value, 256>, Rows> rows_{};
    std::array<std::once_flag, Rows> filled_;
    std::array<std::atomic<bool>, Rows> ready_{};
};

// Row 0 holds the single bytes; row L the codes of lead byte L.
const std::array<char16_t, 256>& decodedRow(unsigned char lead) {
    static LazyTable<char16_t, 256> table;
    return table.row(lead, [](std::size_t rowLead, std::array<char16_t, 256>& codes) {
        for (std::size_t byte = 0; byte < 256; ++byte) {
            std::string code;
            if (rowLead != 0)
                code.push_back(static_cast<char>(rowLead));
            code.push_back(static_cast<char>(byte));
            codes[byte] = platformDecodeCp932(code).value_or(NoCharacter);
        }
    });
}

char16_t decodeCode(unsigned char lead, unsigned char trail) {
    return decodedRow(lead)[trail];
}

// The CP932 code of a UTF-16 unit: one byte below 0x100, else lead byte * 256 + trail byte;
// '?' for a unit that CP932 cannot hold.
std::uint16_t encodeUnit(char16_t unit) {
    static LazyTable<std::uint16_t, 256> table;
    const auto& row =
        table.row(unit >> 8, [](std::size_t high, std::array<std::uint16_t, 256>& codes) {
            for (std::size_t low = 0; low < 256; ++low) {
                const auto bytes = platformEncodeCp932(static_cast<char16_t>(high << 8 | low));
                codes[low] =
                    bytes.empty() ? std::uint16_t{'?'}
                    : bytes.size() == 1
                        ? static_cast<unsigned char>(bytes[0])
                        : static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[0]) << 8 |
                                                     static_cast<unsigned char>(bytes[1]));
            }
        });
    return row[unit & 0xFF];
}

// Hands `put` the CP932 code of each character of `text` in turn (as encodeUnit() gives it),
// until `put` returns false.
template <typename Put> void encodeEach(std::u16string_view text, Put put) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char16_t unit = text[pos];
        std::uint16_t code = unit;
        std::size_t length = 1;
        if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
            // No character outside the Basic Multilingual Plane exists in code page 932.
            const bool pair =
                isHighSurrogate(unit) && pos + 1 < text.size() && isLowSurrogate(text[pos + 1]);
            code = '?';
            length = pair ? 2 : 1;
        } else if (unit >= 0x80) {
            code = encodeUnit(unit);
        }
        if (!put(code))
            return;
        pos += length;
    }
}

// Decodes `bytes` up to a lead byte cut off at the end, which stays undecoded unless `final`
// is set. A byte that does not begin a valid character becomes U+FFFD and decoding goes on
// with the next byte. Returns the number of bytes consumed.
std::size_t decodeInto(std::string_view bytes, bool final, std::u16string& out) {
    const std::size_t start = out.size();
    out.resize(start + bytes.size()); // one byte never yields more than one UTF-16 unit
    char16_t* target = out.data() + start;
    const auto* const first = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const last = first + bytes.size();
    const auto& singles = decodedRow(0);
    const auto* at = first;
    while (at != last) {
        if (last - at >= 8 && isAsciiWord(at)) {
            // Runs of ASCII (digits, commas, quotes) go eight bytes at a time.
            std::copy(at, at + 8, target);
            target += 8;
            at += 8;
            continue;
        }
        const unsigned char byte = *at;
        if (isAscii(byte)) {
            *target++ = byte;
            ++at;
            continue;
        }
        if (!isCp932LeadByte(byte)) {
            const char16_t single = singles[byte];
            *target++ = single == NoCharacter ? ReplacementChar : single;
            ++at;
            continue;
        }
        if (at + 1 == last && !final)
            break;
        const char16_t pair = at + 1 != last ? decodeCode(byte, at[1]) : NoCharacter;
        *target++ = pair == NoCharacter ? ReplacementChar : pair;
        at += pair == NoCharacter ? 1 : 2;
    }
    out.resize(static_cast<std::size_t>(target - out.data()));
    return static_cast<std::size_t>(at - first);
}

} // namespace

std::u16string decodeCp932(std::string_view bytes) {
    std::u16string text;
    decodeInto(bytes, true, text);
    return text;
}

void appendCp932(std::u16string_view text, std::string& out) {
    // Written into room for the longest result (two bytes a unit), then trimmed.
    const std::size_t start = out.size();
    out.resize(start + 2 * text.size());
    const std::size_t written = encodeCp932Prefix(text, out.data() + start, 2 * text.size());
    out.resize(start + written);
}

std::string encodeCp932(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    appendCp932(text, bytes);
    return bytes;
}

std::size_t encodeCp932Prefix(std::u16string_view text, char* out, std::size_t capacity) {
    std::size_t written = 0;
    encodeEach(text, [&](std::uint16_t code) {
        const std::size_t length = code > 0xFF ? 2 : 1;
        if (written + length > capacity)
            return false;
        if (length == 2)
            out[written++] = static_cast<char>(code >> 8);
        out[written++] = static_cast<char>(code & 0xFF);
        return true;
    });
    return written;
}

void Cp932StreamDecoder::decode(std::string_view bytes, bool final, std::u16string& out) {
    // A lead byte held back from the previous chunk is completed by the first byte of this one.
    if (!pending_.empty() && !bytes.empty()) {
        pending_.push_back(bytes.front());
        const std::size_t consumed = decodeInto(pending_, final && bytes.size() == 1, out);
        bytes.remove_prefix(consumed == 1 ? 0
                                          : 1); // a bad pair leaves its second byte to start again
        pending_.clear();
    }
    if (bytes.empty()) {
        if (final && !pending_.empty())
            decodeInto(pending_, true, out);
        if (final)
            pending_.clear();
        return;
    }
    const std::size_t consumed = decodeInto(bytes, final, out);
    pending_.assign(bytes.substr(consumed));
}

} // namespace mervasto

#include "data/Utf8TextDecoder.h"

#include "data/Utf8.h"

namespace mervasto {

namespace {

// The character of a well-formed three-byte sequence at `pos` (most of a Japanese text: kana
// and kanji), else 0, and decodeUtf8Character() takes over.
char32_t threeByteCharacter(std::string_view utf8, std::size_t pos) {
    if (pos + 3 > utf8.size())
        return 0;
    const auto lead = static_cast<unsigned char>(utf8[pos]);
    const auto second = static_cast<unsigned char>(utf8[pos + 1]);
    const auto third = static_cast<unsigned char>(utf8[pos + 2]);
    if ((lead & 0xF0) != 0xE0 || (second & 0xC0) != 0x80 || (third & 0xC0) != 0x80)
        return 0;
    const char32_t code = ((lead & 0x0Fu) << 12) | ((second & 0x3Fu) << 6) | (third & 0x3Fu);
    const bool overlong = code < 0x800;
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return overlong || surrogate ? 0 : code;
}

} // namespace

void Utf8TextDecoder::decode(std::string_view bytes, bool final, std::u16string& out) {
    if (!pending_.empty() && !completeCutCharacter(bytes, final, out))
        return;
    const std::size_t complete = final ? bytes.size() : completeUtf8Length(bytes);
    appendForTables(bytes.substr(0, complete), out);
    pending_.assign(bytes.substr(complete));
}

// Decodes the character cut off at the end of the last chunk with the first bytes of this one
// (at most three more make any character), and takes those bytes off `bytes`. Returns false
// when even they do not complete it: it waits for the next chunk.
bool Utf8TextDecoder::completeCutCharacter(std::string_view& bytes, bool final,
                                           std::u16string& out) {
    joined_.assign(pending_).append(bytes.substr(0, 3));
    if (!final && completeUtf8Length(joined_) < pending_.size()) {
        pending_.assign(joined_);
        bytes = {};
        return false;
    }
    // The first character boundary at or past the end of the cut bytes.
    std::size_t end = 0;
    while (end < pending_.size())
        end += decodeUtf8Character(joined_, end).length;
    appendForTables(std::string_view(joined_).substr(0, end), out);
    bytes.remove_prefix(end - pending_.size());
    pending_.clear();
    return true;
}

char16_t Utf8TextDecoder::tableCharacter(char32_t code) {
    if (code <= 0xFFFF)
        return bmpTableCharacter(static_cast<char16_t>(code));
    ++substituted_; // no character past U+FFFF is in CP932
    return Cp932Repertoire::Substitute;
}

void Utf8TextDecoder::appendForTables(std::string_view utf8, std::u16string& out) {
    // Each byte gives at most one code unit: write into room for all of them, then trim.
    const std::size_t start = out.size();
    out.resize(start + utf8.size());
    char16_t* const first = out.data() + start;
    char16_t* write = first;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto byte = static_cast<unsigned char>(utf8[pos]);
        if (byte < 0x80) {
            *write++ = byte;
            ++pos;
            continue;
        }
        if (const char32_t code = threeByteCharacter(utf8, pos)) {
            *write++ = bmpTableCharacter(static_cast<char16_t>(code));
            pos += 3;
            continue;
        }
        const Utf8Character character = decodeUtf8Character(utf8, pos);
        pos += character.length;
        *write++ = tableCharacter(character.code);
    }
    out.resize(start + static_cast<std::size_t>(write - first));
}

} // namespace mervasto

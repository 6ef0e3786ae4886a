#include "data/Utf8TextDecoder.h"

#include "data/Utf8.h"

namespace mervasto {

void Utf8TextDecoder::decode(std::string_view bytes, bool final, std::u16string& out) {
    std::string joined;
    if (!pending_.empty()) {
        joined = std::move(pending_) + std::string(bytes);
        bytes = joined;
    }
    const std::size_t complete = final ? bytes.size() : completeUtf8Length(bytes);
    appendForTables(bytes.substr(0, complete), out);
    pending_.assign(bytes.substr(complete));
}

void Utf8TextDecoder::appendForTables(std::string_view utf8, std::u16string& out) {
    out.reserve(out.size() + utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto byte = static_cast<unsigned char>(utf8[pos]);
        if (byte < 0x80) {
            out.push_back(byte);
            ++pos;
            continue;
        }
        const Utf8Character character = decodeUtf8Character(utf8, pos);
        pos += character.length;
        // No character past U+FFFF is in CP932.
        const char16_t stored =
            character.code > 0xFFFF
                ? Cp932Repertoire::Substitute
                : repertoire_.tableCharacter(static_cast<char16_t>(character.code));
        if (stored == Cp932Repertoire::Substitute && character.code != Cp932Repertoire::Substitute)
            ++substituted_;
        out.push_back(stored);
    }
}

} // namespace mervasto

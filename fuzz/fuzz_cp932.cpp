// The code page 932 converter: decoding arbitrary bytes, whole and in chunks of every size,
// and encoding arbitrary UTF-16 (unpaired surrogates and non-BMP pairs included).

#include "FuzzSupport.h"
#include "data/Cp932Codec.h"

#include <algorithm>
#include <string>

using namespace mervasto;

namespace {

constexpr char16_t Replacement = u'\uFFFD';

bool isSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// The chunked decode equals the whole one, whatever the chunk boundaries.
void checkStreaming(std::string_view bytes, const std::u16string& whole) {
    Cp932StreamDecoder decoder;
    fuzz::require(fuzz::decodeInChunks(decoder, bytes) == whole,
                  "the chunked decode differs from the whole decode");
}

void checkDecode(std::string_view bytes) {
    const std::u16string text = decodeCp932(bytes);
    fuzz::require(text.size() <= bytes.size(), "more characters than bytes");
    fuzz::require(std::none_of(text.begin(), text.end(), isSurrogate), "a surrogate decoded");
    checkStreaming(bytes, text);

    // Every decoded character but the replacement encodes and decodes back to itself.
    std::u16string expected = text;
    std::replace(expected.begin(), expected.end(), Replacement, u'?');
    fuzz::require(decodeCp932(encodeCp932(text)) == expected, "a decoded text does not round-trip");
}

// Encoding never fails and writes valid CP932; the result is stable under a round trip.
void checkEncode(std::string_view bytes) {
    const std::u16string text = fuzz::utf16FromBytes(bytes);
    const std::string encoded = encodeCp932(text);
    fuzz::require(encoded.size() <= text.size() * 2, "more than two bytes per character");
    const std::u16string back = decodeCp932(encoded);
    fuzz::require(back.find(Replacement) == std::u16string::npos, "the encoder wrote bad bytes");
    fuzz::require(encodeCp932(back) == encoded, "an encoded text does not round-trip");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::asBytes(data, size);
    checkDecode(bytes);
    checkEncode(bytes);
    return 0;
}

#include "data/EncodedText.h"

#include "data/Cp932Codec.h"
#include "data/Utf8.h"

namespace mervasto {

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

} // namespace

std::u16string decodeText(std::string_view bytes, TextEncoding encoding) {
    if (encoding == TextEncoding::Cp932)
        return decodeCp932(bytes);
    return fromUtf8(bytes.substr(byteOrderMarkLength(encoding)));
}

std::string encodeText(std::u16string_view text, TextEncoding encoding) {
    if (encoding == TextEncoding::Cp932)
        return encodeCp932(text);
    const std::string_view mark = Utf8Bom.substr(0, byteOrderMarkLength(encoding));
    return std::string(mark) + toUtf8(text);
}

} // namespace mervasto

#pragma once

#include "data/TextEncoding.h"

#include <string>
#include <string_view>

namespace mervasto {

// The text of a whole file in `encoding`, without its byte-order mark. Invalid bytes become
// U+FFFD; nothing throws.
std::u16string decodeText(std::string_view bytes, TextEncoding encoding);

// `text` as the bytes of a file in `encoding`, beginning with the byte-order mark when the
// encoding has one. Characters CP932 cannot hold are written as '?'.
std::string encodeText(std::u16string_view text, TextEncoding encoding);

} // namespace mervasto

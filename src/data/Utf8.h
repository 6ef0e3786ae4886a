#pragma once

#include <string>
#include <string_view>

namespace mervasto {

// UTF-8 <-> UTF-16 for the command-line tool and for file names. Invalid input (bad UTF-8,
// unpaired surrogates) becomes U+FFFD; nothing throws.
std::string toUtf8(std::u16string_view text);
std::u16string fromUtf8(std::string_view text);

} // namespace mervasto

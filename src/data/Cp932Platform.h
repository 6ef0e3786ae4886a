#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mervasto {

// The platform's own CP932 converter, one character at a time: glibc iconv ("CP932") on Linux,
// code page 932 of the Win32 API on Windows. The codec asks it once for each code it meets and
// keeps the answers, so that the converter decides every character and both platforms agree.

// The character that one CP932 code (a single byte, or a lead and a trail byte) stands for;
// nothing when the code forms no character.
std::optional<char16_t> platformDecodeCp932(std::string_view code);

// The CP932 code of one UTF-16 unit (not a surrogate); empty when CP932 cannot hold it.
std::string platformEncodeCp932(char16_t unit);

} // namespace mervasto

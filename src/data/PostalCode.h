#pragma once

#include <string>
#include <string_view>

namespace mervasto {

// A postal code as the text tables show it: characters 1-3, "-", characters 4-7. The parts
// are cut by position without validation: a shorter code gives fewer characters, characters
// past the 7th are dropped.
std::u16string hyphenatedCode(std::u16string_view code);
// The same, appended to `out`.
void appendHyphenatedCode(std::u16string_view code, std::u16string& out);

// The postal code at the head of a table or result line: its first 8 characters
// ("100-0005" of "100-0005　　東京都千代田区丸の内").
std::u16string leadingPostalCode(std::u16string_view line);

} // namespace mervasto

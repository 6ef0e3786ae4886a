#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mervasto {

// A key that is a postal code in one of the forms people type: seven digits, or three digits,
// a hyphen-like character ("-", "－", "ー", "‐", "−") and four digits; digits ASCII or
// full-width, spaces (ASCII or ideographic) anywhere ignored. Returns the code as the tables
// write it ("100-0005"); nothing for any other key.
std::optional<std::u16string> typedPostalCode(std::u16string_view key);

} // namespace mervasto

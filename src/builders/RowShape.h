#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace mervasto {

// What a row of one of the operator's files looks like: its number of items, and a check
// that returns what is wrong with a row of that many items (nothing when it fits). A file
// whose rows do not fit is some other file, and no table is built from it.
struct RowShape {
    int columns;
    std::optional<std::string> (*fault)(std::span<const std::u16string_view> row);
};

// KEN_ALL.CSV: 15 items; column 1 a local government code (5 or 6 digits), column 3 the
// seven-digit postal code, column 7 a prefecture, columns 10 to 15 one-digit flags.
extern const RowShape NationalRowShape;

// JIGYOSYO.CSV: 13 items; column 1 a local government code (5 or 6 digits), column 4 a prefecture,
// column 8 the seven-digit postal code, columns 11 to 13 one-digit flags.
extern const RowShape OfficeRowShape;

} // namespace mervasto

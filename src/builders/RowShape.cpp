#include "builders/RowShape.h"

#include "builders/Prefectures.h"
#include "data/CharacterClasses.h"
#include "data/Utf8.h"

#include <algorithm>
#include <array>

namespace mervasto {

namespace {

// How many ASCII digits an item must have.
struct DigitCount {
    std::size_t minimum;
    std::size_t maximum;
};
constexpr DigitCount Exactly(std::size_t count) {
    return {count, count};
}
constexpr DigitCount GovernmentCode{5, 6}; // with or without its check digit

bool isDigits(std::u16string_view item, DigitCount count) {
    return item.size() >= count.minimum && item.size() <= count.maximum &&
           std::all_of(item.begin(), item.end(), isAsciiDigit);
}

// "column N is not what it should be" with the item as read.
std::string columnFault(int column, const char* expected, std::u16string_view item) {
    return "column " + std::to_string(column) + " is not " + expected + ": \"" + toUtf8(item) +
           "\"";
}

// What one column, or a run of columns, must hold. Columns are 1-based, as the operator's
// documentation counts them.
struct ColumnRule {
    int first;
    int last;
    std::optional<DigitCount> digits; // ASCII digits, so many; none: a prefecture's name
    const char* expected;
};

bool fits(std::u16string_view item, const ColumnRule& rule) {
    return rule.digits ? isDigits(item, *rule.digits) : isPrefectureName(item);
}

// The first column, in order, that breaks its rule; every row is checked, so only a row that
// breaks one costs a message.
template <std::size_t Count>
std::optional<std::string> faultOf(std::span<const std::u16string_view> row,
                                   const std::array<ColumnRule, Count>& rules) {
    for (const ColumnRule& rule : rules) {
        for (int number = rule.first; number <= rule.last; ++number) {
            const std::u16string_view item = row[static_cast<std::size_t>(number - 1)];
            if (!fits(item, rule))
                return columnFault(number, rule.expected, item);
        }
    }
    return std::nullopt;
}

constexpr std::array<ColumnRule, 4> NationalRules{{
    {1, 1, GovernmentCode, "a local government code"},
    {3, 3, Exactly(7), "a seven-digit postal code"},
    {7, 7, std::nullopt, "a prefecture"},
    {10, 15, Exactly(1), "a one-digit flag"},
}};

constexpr std::array<ColumnRule, 4> OfficeRules{{
    {1, 1, GovernmentCode, "a local government code"},
    {4, 4, std::nullopt, "a prefecture"},
    {8, 8, Exactly(7), "a seven-digit postal code"},
    {11, 13, Exactly(1), "a one-digit flag"},
}};

std::optional<std::string> nationalFault(std::span<const std::u16string_view> row) {
    return faultOf(row, NationalRules);
}

std::optional<std::string> officeFault(std::span<const std::u16string_view> row) {
    return faultOf(row, OfficeRules);
}

} // namespace

const RowShape NationalRowShape{15, nationalFault};
const RowShape OfficeRowShape{13, officeFault};

} // namespace mervasto

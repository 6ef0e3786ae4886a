#include "builders/RowShape.h"

#include "builders/Prefectures.h"
#include "data/CharacterClasses.h"
#include "data/Utf8.h"

#include <algorithm>

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

bool isDigits(const std::u16string& item, DigitCount count) {
    return item.size() >= count.minimum && item.size() <= count.maximum &&
           std::all_of(item.begin(), item.end(), isAsciiDigit);
}

// "column N is not what it should be" with the item as read.
std::string columnFault(int column, const char* expected, const std::u16string& item) {
    return "column " + std::to_string(column) + " is not " + expected + ": \"" + toUtf8(item) +
           "\"";
}

// Columns are 1-based, as the operator's documentation counts them.
const std::u16string& column(const std::vector<std::u16string>& row, int number) {
    return row[static_cast<std::size_t>(number - 1)];
}

std::optional<std::string> digitsFault(const std::vector<std::u16string>& row, int number,
                                       DigitCount count, const char* expected) {
    if (isDigits(column(row, number), count))
        return std::nullopt;
    return columnFault(number, expected, column(row, number));
}

std::optional<std::string> prefectureFault(const std::vector<std::u16string>& row, int number) {
    if (isPrefectureName(column(row, number)))
        return std::nullopt;
    return columnFault(number, "a prefecture", column(row, number));
}

std::optional<std::string> flagsFault(const std::vector<std::u16string>& row, int first, int last) {
    for (int number = first; number <= last; ++number)
        if (auto fault = digitsFault(row, number, Exactly(1), "a one-digit flag"))
            return fault;
    return std::nullopt;
}

std::optional<std::string> nationalFault(const std::vector<std::u16string>& row) {
    if (auto fault = digitsFault(row, 1, GovernmentCode, "a local government code"))
        return fault;
    if (auto fault = digitsFault(row, 3, Exactly(7), "a seven-digit postal code"))
        return fault;
    if (auto fault = prefectureFault(row, 7))
        return fault;
    return flagsFault(row, 10, 15);
}

std::optional<std::string> officeFault(const std::vector<std::u16string>& row) {
    if (auto fault = digitsFault(row, 1, GovernmentCode, "a local government code"))
        return fault;
    if (auto fault = prefectureFault(row, 4))
        return fault;
    if (auto fault = digitsFault(row, 8, Exactly(7), "a seven-digit postal code"))
        return fault;
    return flagsFault(row, 11, 13);
}

} // namespace

const RowShape NationalRowShape{15, nationalFault};
const RowShape OfficeRowShape{13, officeFault};

} // namespace mervasto

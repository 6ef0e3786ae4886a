#pragma once

#include "builders/RowShape.h"
#include "data/ItemReader.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mervasto {

// Groups the items of an input file into rows of its shape and checks each row. Columns are
// counted over the whole stream of items, not per line: a line end ends an item, never a row.
// A file that does not fit the shape is refused: a row that breaks its rules, items left
// after the last complete row, or no row at all throw DataError(WrongInput) naming the file
// (`fileName`), the row and what was wrong.
class CsvRowReader {
public:
    CsvRowReader(ItemReader& items, const RowShape& shape, std::string fileName);

    // The items of the next row (index 0 is column 1), valid until the next call; empty at the
    // end of the input.
    std::span<const std::u16string_view> next();

private:
    [[noreturn]] void refuse(const std::string& why) const;

    ItemReader& items_;
    const RowShape& shape_;
    std::string fileName_;
    std::vector<std::u16string_view> row_;
    std::int64_t rowNumber_ = 0;
};

} // namespace mervasto

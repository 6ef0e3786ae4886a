#pragma once

#include "data/ItemReader.h"

#include <string>
#include <vector>

namespace mervasto {

// Groups the items of a CSV file into rows of a fixed number of columns. Columns are counted
// over the whole stream of items, not per line: a line end ends an item, never a row. Items
// after the last complete row (an incomplete final row) are dropped.
class CsvRowReader {
public:
    CsvRowReader(ItemReader& items, int columnsPerRow);

    // Fills `row` with the items of the next complete row (index 0 is column 1);
    // false when the input holds no further complete row.
    bool next(std::vector<std::u16string>& row);

private:
    ItemReader& items_;
    int columnsPerRow_;
};

} // namespace mervasto

#include "builders/CsvRowReader.h"

namespace mervasto {

CsvRowReader::CsvRowReader(ItemReader& items, int columnsPerRow)
    : items_(items), columnsPerRow_(columnsPerRow) {}

bool CsvRowReader::next(std::vector<std::u16string>& row) {
    row.resize(static_cast<std::size_t>(columnsPerRow_));
    for (auto& item : row) {
        if (items_.atEnd())
            return false;
        item = items_.readText();
    }
    return true;
}

} // namespace mervasto

#include "builders/CsvRowReader.h"

#include "data/DataError.h"

namespace mervasto {

CsvRowReader::CsvRowReader(ItemReader& items, const RowShape& shape, std::string fileName)
    : items_(items), shape_(shape), fileName_(std::move(fileName)) {}

bool CsvRowReader::next(std::vector<std::u16string>& row) {
    if (items_.atEnd()) {
        if (rowNumber_ == 0)
            refuse("the file holds no rows");
        return false;
    }
    ++rowNumber_;
    row.resize(static_cast<std::size_t>(shape_.columns));
    for (std::size_t column = 0; column < row.size(); ++column) {
        if (items_.atEnd())
            refuse("row " + std::to_string(rowNumber_) + " ends after " + std::to_string(column) +
                   " of " + std::to_string(row.size()) + " items");
        items_.readText(row[column]);
    }
    if (const auto fault = shape_.fault(row))
        refuse("row " + std::to_string(rowNumber_) + ": " + *fault);
    return true;
}

void CsvRowReader::refuse(const std::string& why) const {
    throw DataError(DataError::Kind::WrongInput, fileName_ + ": " + why);
}

} // namespace mervasto

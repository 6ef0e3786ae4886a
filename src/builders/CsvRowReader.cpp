#include "builders/CsvRowReader.h"

#include "data/DataError.h"

namespace mervasto {

CsvRowReader::CsvRowReader(ItemReader& items, const RowShape& shape, std::string fileName)
    : items_(items), shape_(shape), fileName_(std::move(fileName)),
      row_(static_cast<std::size_t>(shape.columns)) {}

std::span<const std::u16string_view> CsvRowReader::next() {
    const std::size_t read = items_.readTexts(row_);
    if (read == 0) {
        if (rowNumber_ == 0)
            refuse("the file holds no rows");
        return {};
    }
    ++rowNumber_;
    if (read < row_.size())
        refuse("row " + std::to_string(rowNumber_) + " ends after " + std::to_string(read) +
               " of " + std::to_string(row_.size()) + " items");
    if (const auto fault = shape_.fault(row_))
        refuse("row " + std::to_string(rowNumber_) + ": " + *fault);
    return row_;
}

void CsvRowReader::refuse(const std::string& why) const {
    throw DataError(DataError::Kind::WrongInput, fileName_ + ": " + why);
}

} // namespace mervasto

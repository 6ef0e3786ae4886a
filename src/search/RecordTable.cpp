#include "search/RecordTable.h"

#include "data/PostalCode.h"
#include "data/RecordFile.h"
#include "search/SearchMatch.h"

#include <optional>

namespace mervasto {

void RecordTable::requireOpened() {
    if (!loaded_) {
        loaded_ = true;
        try {
            RecordFileReader reader(file_);
            records_.reserve(static_cast<std::size_t>(reader.recordCount()));
            for (std::int32_t number = 1; number <= reader.recordCount(); ++number) {
                std::optional<ZipRecord> record = reader.read(number);
                const std::size_t compared = comparedAddress(record->Address).size();
                records_.push_back(
                    {hyphenatedCode(record->Code), std::move(record->Address), compared});
            }
        } catch (...) {
            records_.clear();
            error_ = std::current_exception();
        }
    }
    if (error_)
        std::rethrow_exception(error_);
}

} // namespace mervasto

#pragma once

#include "data/Csv.h"
#include "data/TextEncoding.h"
#include "search/AddressAnswer.h"
#include "search/BatchSearch.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mervasto {

struct AddressListOptions {
    std::size_t column = 1; // the address column, counting from 1
    bool header = false;    // the first row names the columns and is not searched
};

// An address list (a CSV file, or one address per line, in CP932 or UTF-8) converted row by
// row, so that a caller can show progress and stop between rows. The output is the list with
// two columns appended, the code and the count, in the input's encoding and line end; rows
// are padded to the widest row so that the new columns line up.
class AddressListConversion {
public:
    AddressListConversion(std::string_view fileBytes, const AddressListOptions& options);

    // The rows to search (the header row is not one).
    std::size_t rowCount() const { return document_.rows.size() - firstRow_; }
    std::size_t rowsDone() const { return answers_.size(); }
    bool done() const { return rowsDone() == rowCount(); }

    // Searches the next row's address; done() must be false.
    const AddressAnswer& convertNext(BatchSearch& search);

    const std::vector<AddressAnswer>& answers() const { return answers_; }
    std::size_t foundCount() const;
    bool allAnswered() const;

    // The converted file; the rows not yet converted get empty columns.
    std::string outputBytes() const;

private:
    std::u16string_view addressOf(const CsvRow& row) const;

    TextEncoding encoding_;
    CsvDocument document_;
    std::size_t column_;
    std::size_t firstRow_;
    std::vector<AddressAnswer> answers_;
};

// "<rows>件中 <found>件の郵便番号が見つかりました。"
std::u16string conversionSummaryText(std::size_t rows, std::size_t found);

} // namespace mervasto

#pragma once

#include "data/Csv.h"
#include "data/TextEncoding.h"
#include "search/AddressAnswer.h"
#include "search/BatchSearch.h"
#include "search/StatusCounts.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mervasto {

struct AddressListOptions {
    std::size_t column = 1; // the address column, counting from 1
    bool header = false;    // the first row names the columns and is not searched
};

// Why a list cannot be converted at all; nothing is searched or written then.
enum class AddressListFault {
    None,
    OpenQuotedField, // the list ends inside a quoted field: it was most likely cut short
    NoSuchColumn,    // no row has the address column
};

// Whether a UTF-8 output begins with a byte-order mark (CP932 never does).
enum class ByteOrderMark { Omitted, Written };

// An address list (a CSV file, or one address per line, in CP932 or UTF-8, told apart by
// the whole file) converted row by row, so that a caller can show progress and stop between
// rows. The output is the list with three columns appended, the code, the count and the
// status, in the input's encoding and line end; rows are padded to the widest row so that the
// new columns line up.
class AddressListConversion {
public:
    AddressListConversion(std::string_view fileBytes, const AddressListOptions& options);

    AddressListFault fault() const;

    // The rows to search (the header row is not one).
    std::size_t rowCount() const { return document_.rows.size() - firstRow_; }
    std::size_t rowsDone() const { return answers_.size(); }
    bool done() const { return rowsDone() == rowCount(); }

    // Searches the next row's address; done() must be false.
    const AddressAnswer& convertNext(BatchSearch& search);

    const std::vector<AddressAnswer>& answers() const { return answers_; }
    std::size_t foundCount() const;
    bool allAnswered() const;

    StatusCounts statusCounts() const;

    // The converted file; the rows not yet converted get empty columns. Without a mark it is
    // what standard output gets.
    std::string outputBytes(ByteOrderMark mark = ByteOrderMark::Omitted) const;

private:
    std::u16string_view addressOf(const CsvRow& row) const;

    CsvRow withAnswer(const CsvRow& row, std::size_t width, std::size_t answer) const;

    TextEncoding encoding_;
    CsvDocument document_;
    std::size_t column_;
    std::size_t firstRow_;
    std::vector<AddressAnswer> answers_;
};

// "<rows>件中 <found>件の郵便番号が見つかりました。"
std::u16string conversionSummaryText(std::size_t rows, std::size_t found);

// Asked before an existing output file is replaced: "<name> は既にあります。置き換えますか？"
std::u16string conversionOverwriteQuestion(std::u16string_view outputName);

// The first `count` rows of a list as the conversion reads them (same encoding rule), for
// showing the user what the list holds.
std::vector<CsvRow> addressListPreview(std::string_view fileBytes, std::size_t count);

} // namespace mervasto

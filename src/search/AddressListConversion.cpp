#include "search/AddressListConversion.h"

#include "data/EncodedText.h"
#include "data/Utf8.h"
#include "search/SearchText.h"

#include <algorithm>

namespace mervasto {

namespace {

std::u16string decimal(std::size_t value) {
    return fromUtf8(std::to_string(value));
}

std::size_t widestRow(const std::vector<CsvRow>& rows) {
    std::size_t width = 0;
    for (const CsvRow& row : rows)
        width = std::max(width, row.size());
    return width;
}

CsvRow withColumns(CsvRow row, std::size_t width, std::u16string first, std::u16string second) {
    row.resize(width);
    row.push_back(std::move(first));
    row.push_back(std::move(second));
    return row;
}

} // namespace

AddressListConversion::AddressListConversion(std::string_view fileBytes,
                                             const AddressListOptions& options)
    : encoding_(detectTextEncoding(fileBytes)),
      document_(parseCsv(decodeText(fileBytes, encoding_))), column_(options.column),
      firstRow_(options.header && !document_.rows.empty() ? 1 : 0) {
    answers_.reserve(rowCount());
}

const AddressAnswer& AddressListConversion::convertNext(BatchSearch& search) {
    const CsvRow& row = document_.rows[firstRow_ + rowsDone()];
    if (column_ < 1 || column_ > row.size())
        return answers_.emplace_back(); // no address: an error
    return answers_.emplace_back(search.answer(addressOf(row)));
}

std::u16string_view AddressListConversion::addressOf(const CsvRow& row) const {
    return column_ >= 1 && column_ <= row.size() ? std::u16string_view(row[column_ - 1])
                                                 : std::u16string_view();
}

std::size_t AddressListConversion::foundCount() const {
    return static_cast<std::size_t>(std::count_if(
        answers_.begin(), answers_.end(), [](const auto& answer) { return !answer.code.empty(); }));
}

bool AddressListConversion::allAnswered() const {
    return std::all_of(answers_.begin(), answers_.end(),
                       [](const auto& answer) { return answer.answered; });
}

std::string AddressListConversion::outputBytes() const {
    const std::size_t width = widestRow(document_.rows);
    CsvDocument output{{}, document_.lineEnd};
    output.rows.reserve(document_.rows.size());
    if (firstRow_ == 1)
        output.rows.push_back(withColumns(document_.rows.front(), width, SearchText::CodeColumn,
                                          SearchText::CountColumn));
    for (std::size_t row = 0; row < rowCount(); ++row) {
        const CsvRow& fields = document_.rows[firstRow_ + row];
        if (row < answers_.size())
            output.rows.push_back(
                withColumns(fields, width, answers_[row].code, decimal(answers_[row].count)));
        else
            output.rows.push_back(withColumns(fields, width, {}, {}));
    }
    return encodeText(formatCsv(output), encoding_);
}

std::u16string conversionSummaryText(std::size_t rows, std::size_t found) {
    return decimal(rows) + SearchText::ConvertedRowsSuffix + decimal(found) +
           SearchText::ConvertedFoundSuffix;
}

} // namespace mervasto

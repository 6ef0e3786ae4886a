#include "search/AddressListConversion.h"

#include "data/EncodedText.h"
#include "data/Utf8.h"
#include "search/SearchText.h"

#include <algorithm>
#include <initializer_list>

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

CsvRow withColumns(CsvRow row, std::size_t width,
                   std::initializer_list<std::u16string_view> added) {
    row.resize(width);
    row.insert(row.end(), added.begin(), added.end());
    return row;
}

TextEncoding outputEncoding(TextEncoding input, ByteOrderMark mark) {
    if (input == TextEncoding::Cp932)
        return input;
    return mark == ByteOrderMark::Written ? TextEncoding::Utf8WithBom : TextEncoding::Utf8;
}

} // namespace

AddressListConversion::AddressListConversion(std::string_view fileBytes,
                                             const AddressListOptions& options)
    : encoding_(detectWholeFileEncoding(fileBytes)),
      document_(parseCsv(decodeText(fileBytes, encoding_))), column_(options.column),
      firstRow_(options.header && !document_.rows.empty() ? 1 : 0) {
    answers_.reserve(rowCount());
}

const AddressAnswer& AddressListConversion::convertNext(BatchSearch& search) {
    const CsvRow& row = document_.rows[firstRow_ + rowsDone()];
    if (column_ < 1 || column_ > row.size()) {
        AddressAnswer missing; // no address: an error
        missing.error = SearchText::NoAddressColumn;
        return answers_.emplace_back(std::move(missing));
    }
    return answers_.emplace_back(search.answer(addressOf(row)));
}

std::u16string_view AddressListConversion::addressOf(const CsvRow& row) const {
    return column_ >= 1 && column_ <= row.size() ? std::u16string_view(row[column_ - 1])
                                                 : std::u16string_view();
}

AddressListFault AddressListConversion::fault() const {
    if (document_.endsInQuotedField)
        return AddressListFault::OpenQuotedField;
    if (!document_.rows.empty() && widestRow(document_.rows) < column_)
        return AddressListFault::NoSuchColumn;
    return AddressListFault::None;
}

std::size_t AddressListConversion::foundCount() const {
    return static_cast<std::size_t>(std::count_if(
        answers_.begin(), answers_.end(), [](const auto& answer) { return !answer.code.empty(); }));
}

bool AddressListConversion::allAnswered() const {
    return std::all_of(answers_.begin(), answers_.end(),
                       [](const auto& answer) { return answer.answered; });
}

StatusCounts AddressListConversion::statusCounts() const {
    StatusCounts counts;
    for (const AddressAnswer& answer : answers_)
        counts.add(answer.status);
    return counts;
}

CsvRow AddressListConversion::withAnswer(const CsvRow& row, std::size_t width,
                                         std::size_t answer) const {
    if (answer >= answers_.size())
        return withColumns(row, width, {{}, {}, {}});
    const AddressAnswer& found = answers_[answer];
    return withColumns(row, width,
                       {found.code, decimal(found.count), answerStatusText(found.status)});
}

std::string AddressListConversion::outputBytes(ByteOrderMark mark) const {
    const std::size_t width = widestRow(document_.rows);
    CsvDocument output{{}, document_.lineEnd};
    output.rows.reserve(document_.rows.size());
    if (firstRow_ == 1)
        output.rows.push_back(withColumns(
            document_.rows.front(), width,
            {SearchText::CodeColumn, SearchText::CountColumn, SearchText::StatusColumn}));
    for (std::size_t row = 0; row < rowCount(); ++row)
        output.rows.push_back(withAnswer(document_.rows[firstRow_ + row], width, row));
    return encodeText(formatCsv(output), outputEncoding(encoding_, mark));
}

std::u16string conversionSummaryText(std::size_t rows, std::size_t found) {
    return decimal(rows) + SearchText::ConvertedRowsSuffix + decimal(found) +
           SearchText::ConvertedFoundSuffix;
}

std::u16string conversionOverwriteQuestion(std::u16string_view outputName) {
    return std::u16string(outputName) + SearchText::OutputExistsSuffix;
}

std::vector<CsvRow> addressListPreview(std::string_view fileBytes, std::size_t count) {
    return parseCsvRows(decodeText(fileBytes, detectWholeFileEncoding(fileBytes)), count);
}

} // namespace mervasto

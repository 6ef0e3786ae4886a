#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mervasto {

using CsvRow = std::vector<std::u16string>;

// A CSV file as text (RFC 4180): rows of fields, and the line end the file uses.
struct CsvDocument {
    std::vector<CsvRow> rows;
    std::u16string lineEnd = u"\r\n";
    bool endsInQuotedField = false; // the text ended before a quoted field was closed
};

// Reads CSV text. Fields are separated by commas and rows end at CR LF or LF; a field that
// begins with a double quote runs to the closing quote, holding commas, line ends and doubled
// quotes (read as one). Lenient where files often go wrong: a quote inside an unquoted field
// is kept, text between a closing quote and the next comma is kept, and a quote left open runs
// to the end of the text (and sets `endsInQuotedField`). The first line end found becomes the
// document's (CR LF when none). A line end at the very end of the text does not start a row; an
// empty line is a row with one empty field.
CsvDocument parseCsv(std::u16string_view text);

// The first `count` rows of the text (fewer when it has fewer), read as parseCsv reads them.
std::vector<CsvRow> parseCsvRows(std::u16string_view text, std::size_t count);

// Writes the rows, each ended by the document's line end. A field is quoted (its quotes
// doubled) only when it holds a comma, a double quote, CR or LF, so an unquoted file
// reads back byte for byte.
std::u16string formatCsv(const CsvDocument& document);

} // namespace mervasto

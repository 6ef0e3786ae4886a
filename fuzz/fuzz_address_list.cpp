// The address list of a batch conversion, on arbitrary bytes: CSV or one address per line, in
// CP932 or UTF-8, cut anywhere. The first byte chooses the options (the address column and
// whether a header row comes first); the rest is the file. Reading never fails, every row is
// converted once, and the output holds each row's fields as the input's encoding carries them,
// padded to the widest row, with the three new columns.

#include "FuzzSupport.h"
#include "data/Csv.h"
#include "data/EncodedText.h"
#include "data/Filest.h"
#include "search/AddressListConversion.h"
#include "search/BatchSearch.h"

#include <algorithm>
#include <string>

using namespace mervasto;

namespace {

// Each search takes its error path (the directory holds no tables): this target is about
// the reading and the writing of the list, the searches have their own.
constexpr std::size_t MaxSearchedRows = 32;

AddressListOptions optionsFrom(unsigned char byte) {
    return {static_cast<std::size_t>(byte & 3u), (byte & 4u) != 0};
}

// Writing the rows and reading them back gives the same rows.
void checkRoundTrip(const CsvDocument& document) {
    const CsvDocument again = parseCsv(formatCsv(document));
    fuzz::require(again.rows == document.rows, "a CSV written and read back differs");
    fuzz::require(document.rows.empty() || again.lineEnd == document.lineEnd,
                  "a CSV written and read back has another line end");
}

// A field as it comes back from the output file: what the encoding can hold of it.
std::u16string asEncoded(const std::u16string& field, TextEncoding encoding) {
    return decodeText(encodeText(field, encoding), encoding);
}

void checkOutput(const CsvDocument& input, const AddressListConversion& conversion,
                 TextEncoding encoding) {
    const std::string bytes = conversion.outputBytes();
    // The output carries no byte-order mark.
    const TextEncoding written =
        encoding == TextEncoding::Utf8WithBom ? TextEncoding::Utf8 : encoding;
    const CsvDocument output = parseCsv(decodeText(bytes, written));
    fuzz::require(output.rows.size() == input.rows.size(), "the output has another row count");
    std::size_t width = 0;
    for (const CsvRow& row : input.rows)
        width = std::max(width, row.size());
    const std::size_t firstRow = input.rows.size() - conversion.rowCount();
    for (std::size_t row = 0; row < input.rows.size(); ++row) {
        const CsvRow& fields = output.rows[row];
        fuzz::require(fields.size() == width + 3, "an output row is not padded to the widest");
        for (std::size_t field = 0; field < width; ++field) {
            const std::u16string expected = field < input.rows[row].size()
                                                ? asEncoded(input.rows[row][field], encoding)
                                                : std::u16string();
            fuzz::require(fields[field] == expected, "an output field differs from the input");
        }
        const bool answered = row >= firstRow && row - firstRow < conversion.rowsDone();
        fuzz::require(answered || row < firstRow ||
                          (fields[width + 1].empty() && fields[width + 2].empty()),
                      "a row not converted has a count or a status");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto dir = fuzz::freshDirectory("no-tables");
    static const IndexTable index;
    if (size == 0)
        return 0;
    const std::string_view file = fuzz::asBytes(data + 1, size - 1);
    const AddressListOptions options = optionsFrom(data[0]);

    const TextEncoding encoding = detectWholeFileEncoding(file);
    const CsvDocument input = parseCsv(decodeText(file, encoding));
    checkRoundTrip(input);

    AddressListConversion conversion(file, options);
    fuzz::require(conversion.rowCount() + (options.header && !input.rows.empty() ? 1 : 0) ==
                      input.rows.size(),
                  "the rows to convert are not the rows read");
    BatchSearch search(dir, index);
    while (!conversion.done() && conversion.rowsDone() < MaxSearchedRows) {
        const AddressAnswer& answer = conversion.convertNext(search);
        fuzz::require(answer.code.empty() || answer.answered, "a code given with an error");
    }
    fuzz::require(conversion.answers().size() == conversion.rowsDone(), "answers lost");
    checkOutput(input, conversion, encoding);
    return 0;
}

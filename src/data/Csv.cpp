#include "data/Csv.h"

#include <cstddef>
#include <limits>

namespace mervasto {

namespace {

// Reads one document; `at` is the position in the text.
class CsvParser {
public:
    explicit CsvParser(std::u16string_view text) : text_(text) {}

    CsvDocument parse(std::size_t rowLimit) {
        while (at_ < text_.size() && document_.rows.size() < rowLimit)
            document_.rows.push_back(readRow());
        return std::move(document_);
    }

private:
    CsvRow readRow() {
        CsvRow row;
        while (true) {
            row.push_back(readField());
            if (at_ >= text_.size())
                return row;
            if (text_[at_] == u',') {
                ++at_;
                continue;
            }
            consumeLineEnd();
            return row;
        }
    }

    // A field up to the next comma or line end (not consumed).
    std::u16string readField() {
        std::u16string field;
        if (at_ < text_.size() && text_[at_] == u'"') {
            ++at_;
            readQuoted(field);
        }
        while (at_ < text_.size() && text_[at_] != u',' && !atLineEnd())
            field += text_[at_++];
        return field;
    }

    // The quoted part, after its opening quote, up to and including the closing one.
    void readQuoted(std::u16string& field) {
        while (at_ < text_.size()) {
            const char16_t c = text_[at_++];
            if (c != u'"') {
                field += c;
            } else if (at_ < text_.size() && text_[at_] == u'"') {
                field += u'"';
                ++at_;
            } else {
                return;
            }
        }
        document_.endsInQuotedField = true;
    }

    bool atLineEnd() const { return text_[at_] == u'\n' || text_.substr(at_).starts_with(u"\r\n"); }

    void consumeLineEnd() {
        const std::size_t length = text_[at_] == u'\n' ? 1 : 2;
        if (!lineEndSeen_) {
            document_.lineEnd = std::u16string(text_.substr(at_, length));
            lineEndSeen_ = true;
        }
        at_ += length;
    }

    std::u16string_view text_;
    std::size_t at_ = 0;
    bool lineEndSeen_ = false;
    CsvDocument document_;
};

bool needsQuotes(std::u16string_view field) {
    return field.find_first_of(u",\"\r\n") != std::u16string_view::npos;
}

void appendField(std::u16string& out, std::u16string_view field) {
    if (!needsQuotes(field)) {
        out += field;
        return;
    }
    out += u'"';
    for (const char16_t c : field) {
        if (c == u'"')
            out += u'"';
        out += c;
    }
    out += u'"';
}

} // namespace

CsvDocument parseCsv(std::u16string_view text) {
    return CsvParser(text).parse(std::numeric_limits<std::size_t>::max());
}

std::vector<CsvRow> parseCsvRows(std::u16string_view text, std::size_t count) {
    return CsvParser(text).parse(count).rows;
}

std::u16string formatCsv(const CsvDocument& document) {
    std::u16string out;
    for (const CsvRow& row : document.rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                out += u',';
            appendField(out, row[i]);
        }
        out += document.lineEnd;
    }
    return out;
}

} // namespace mervasto

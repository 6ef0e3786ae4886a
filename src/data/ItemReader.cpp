#include "data/ItemReader.h"

#include "data/CharacterClasses.h"
#include "data/Cp932Codec.h"
#include "data/DataError.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <vector>

namespace mervasto {

namespace {

// The first unit from `from` on that `stop` picks; `to` when there is none. `stop` picks
// nothing above the comma: every unit that ends an item (comma, CR, LF, double quote) sorts at
// or below it, and hardly any text does, so one comparison passes most units.
template <typename Stop>
const char16_t* findStop(const char16_t* from, const char16_t* to, Stop stop) {
    for (;; ++from) {
        while (from != to && *from > u',')
            ++from;
        if (from == to || stop(*from))
            return from;
    }
}

const char16_t* findItemEnd(const char16_t* from, const char16_t* to) {
    return findStop(from, to, [](char16_t c) { return c == u',' || c == u'\r' || c == u'\n'; });
}

const char16_t* findQuote(const char16_t* from, const char16_t* to) {
    return findStop(from, to, [](char16_t c) { return c == u'"'; });
}

bool isLineEnd(char16_t c) {
    return c == u'\r' || c == u'\n';
}

std::unique_ptr<std::istream> openFile(const std::filesystem::path& file) {
    auto stream = std::make_unique<std::ifstream>(file, std::ios::binary);
    if (!stream->is_open())
        throw DataError(DataError::Kind::FileNotFound, "cannot open " + file.string());
    return stream;
}

void throwTooLong() {
    throw DataError(DataError::Kind::ItemTooLong, "item longer than the reader accepts");
}

// The whole number at the start of `item` after spaces and an optional sign; 0 when there is
// none. Throws DataError(Overflow) outside the 32-bit range.
std::int32_t parseNumber(std::u16string_view item) {
    std::size_t pos = item.find_first_not_of(u' ');
    if (pos == std::u16string_view::npos)
        return 0;
    const bool negative = item[pos] == u'-';
    if (item[pos] == u'-' || item[pos] == u'+')
        pos = item.find_first_not_of(u' ', pos + 1);
    const std::int64_t limit =
        negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                 : std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    for (; pos < item.size() && isAsciiDigit(item[pos]); ++pos) {
        value = value * 10 + (item[pos] - u'0');
        if (value > limit)
            throw DataError(DataError::Kind::Overflow, "number out of the 32-bit range");
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

} // namespace

ItemReader::ItemReader(const std::filesystem::path& file) : ItemReader(openFile(file)) {}

ItemReader::ItemReader(std::unique_ptr<std::istream> stream)
    : ItemReader(std::make_unique<StreamBytes>(std::move(stream)),
                 std::make_unique<Cp932StreamDecoder>()) {}

ItemReader::ItemReader(SourceText source)
    : ItemReader(std::move(source.bytes), std::move(source.decoder)) {}

ItemReader::ItemReader(std::unique_ptr<ByteSource> bytes, std::unique_ptr<TextDecoder> decoder)
    : bytes_(std::move(bytes)), decoder_(std::move(decoder)) {
    // Room for a chunk and the row left unread before it, so that the text is not moved to
    // fresh memory when a row straddles two chunks.
    buffer_.reserve(2 * ChunkSize);
}

std::size_t ItemReader::substitutedCount() const {
    return decoder_->substitutedCount();
}

ItemReader::~ItemReader() = default;

bool ItemReader::fill() {
    buffer_.erase(0, pos_);
    pos_ = 0;
    while (!bytesDone_) {
        const std::string_view chunk = bytes_->read(ChunkSize);
        bytesDone_ = chunk.size() < ChunkSize;
        const std::size_t before = buffer_.size();
        decoder_->decode(chunk, bytesDone_, buffer_);
        if (buffer_.size() > before)
            return true;
    }
    return false;
}

bool ItemReader::available() {
    return pos_ < buffer_.size() || fill();
}

char16_t ItemReader::peek() {
    return buffer_[pos_];
}

bool ItemReader::atEnd() {
    return !available();
}

template <typename Predicate> void ItemReader::takeWhile(Predicate keep, std::u16string& item) {
    while (available()) {
        std::size_t end = pos_;
        while (end < buffer_.size() && keep(buffer_[end]))
            ++end;
        if (item.size() + (end - pos_) > maxItemLength)
            throwTooLong();
        item.append(buffer_, pos_, end - pos_);
        pos_ = end;
        if (end < buffer_.size())
            return;
    }
}

// Parses the item at `pos` of the text decoded so far. Returns false when the text ends before
// the item and its delimiter do and more input may follow; otherwise sets `item`, moves `pos`
// past the delimiter and returns true.
bool ItemReader::parseItem(std::size_t& pos, std::u16string_view& item) const {
    const char16_t* const first = buffer_.data();
    const char16_t* const last = first + buffer_.size();
    const auto checkLength = [](const char16_t* from, const char16_t* to) {
        if (static_cast<std::size_t>(to - from) > maxItemLength)
            throwTooLong();
    };
    const char16_t* at = first + pos;
    const char16_t* const spaces = at;
    while (at != last && *at == u' ')
        ++at;
    checkLength(spaces, at);
    const char16_t* end = nullptr; // the item's delimiter
    if (at != last && *at == u'"') {
        const char16_t* const close = findQuote(at + 1, last);
        checkLength(at + 1, close);
        item = std::u16string_view(at + 1, static_cast<std::size_t>(close - at - 1));
        // Anything after the closing quote up to the delimiter is dropped.
        end = close == last ? last : findItemEnd(close + 1, last);
        checkLength(close, end);
    } else {
        end = findItemEnd(at, last);
        checkLength(at, end);
        item = std::u16string_view(at, static_cast<std::size_t>(end - at));
    }
    if (end == last || (*end == u'\r' && end + 1 == last)) {
        if (!bytesDone_)
            return false;
        pos = buffer_.size();
        return true;
    }
    const bool crLf = *end == u'\r' && end[1] == u'\n';
    pos = static_cast<std::size_t>(end - first) + (crLf ? 2 : 1);
    return true;
}

std::size_t ItemReader::readTexts(std::span<std::u16string_view> items) {
    std::size_t pos = pos_;
    std::size_t count = 0;
    while (count < items.size()) {
        if (pos == buffer_.size() && bytesDone_)
            break;
        if (pos < buffer_.size() && parseItem(pos, items[count])) {
            ++count;
            continue;
        }
        // Reading more input moves the text: the items read keep their places in it.
        const std::size_t consumed = pos_;
        const char16_t* const before = buffer_.data();
        std::vector<std::size_t> offsets;
        for (std::size_t i = 0; i < count; ++i)
            offsets.push_back(static_cast<std::size_t>(items[i].data() - before) - consumed);
        fill();
        pos -= consumed;
        for (std::size_t i = 0; i < count; ++i)
            items[i] = std::u16string_view(buffer_.data() + offsets[i], items[i].size());
    }
    pos_ = pos;
    return count;
}

void ItemReader::requireInput() {
    if (atEnd())
        throw DataError(DataError::Kind::InputPastEnd, "input past end of file");
}

std::u16string ItemReader::readText() {
    std::u16string_view item;
    requireInput();
    readTexts({&item, 1});
    return std::u16string(item);
}

std::int32_t ItemReader::readNumber() {
    return parseNumber(readText());
}

std::u16string ItemReader::readLine() {
    std::u16string line;
    readLine(line);
    return line;
}

void ItemReader::readLine(std::u16string& line) {
    requireInput();
    line.clear();
    for (;;) {
        takeWhile([](char16_t c) { return !isLineEnd(c); }, line);
        if (!available())
            return;
        const char16_t end = peek();
        ++pos_;
        if (end == u'\n')
            return;
        if (available() && peek() == u'\n') {
            ++pos_;
            return;
        }
        // A carriage return alone does not end a line.
        if (line.size() + 1 > maxItemLength)
            throwTooLong();
        line.push_back(u'\r');
    }
}

} // namespace mervasto

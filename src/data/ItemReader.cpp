#include "data/ItemReader.h"

#include "data/CharacterClasses.h"
#include "data/Cp932Codec.h"
#include "data/DataError.h"

#include <fstream>
#include <limits>

namespace mervasto {

namespace {

constexpr std::size_t ChunkSize = 256 * 1024;

bool isLineEnd(char16_t c) {
    return c == u'\r' || c == u'\n';
}
bool isItemEnd(char16_t c) {
    return c == u',' || isLineEnd(c);
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
    : bytes_(std::move(bytes)), decoder_(std::move(decoder)) {}

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

template <typename Predicate> void ItemReader::skipWhile(Predicate skip) {
    while (available()) {
        while (pos_ < buffer_.size() && skip(buffer_[pos_]))
            ++pos_;
        if (pos_ < buffer_.size())
            return;
    }
}

void ItemReader::consumeDelimiter() {
    if (!available())
        return;
    const char16_t delimiter = peek();
    ++pos_;
    if (delimiter == u'\r' && available() && peek() == u'\n')
        ++pos_;
}

void ItemReader::requireInput() {
    if (atEnd())
        throw DataError(DataError::Kind::InputPastEnd, "input past end of file");
}

std::u16string ItemReader::readText() {
    std::u16string item;
    readText(item);
    return item;
}

void ItemReader::readText(std::u16string& item) {
    requireInput();
    skipWhile([](char16_t c) { return c == u' '; });
    item.clear();
    if (available() && peek() == u'"') {
        ++pos_;
        takeWhile([](char16_t c) { return c != u'"'; }, item);
        skipWhile([](char16_t c) { return !isItemEnd(c); });
    } else {
        takeWhile([](char16_t c) { return !isItemEnd(c); }, item);
    }
    consumeDelimiter();
}

std::int32_t ItemReader::readNumber() {
    return parseNumber(readText());
}

std::u16string ItemReader::readLine() {
    requireInput();
    std::u16string line;
    for (;;) {
        takeWhile([](char16_t c) { return !isLineEnd(c); }, line);
        if (!available())
            return line;
        const char16_t end = peek();
        ++pos_;
        if (end == u'\n')
            return line;
        if (available() && peek() == u'\n') {
            ++pos_;
            return line;
        }
        // A carriage return alone does not end a line.
        if (line.size() + 1 > maxItemLength)
            throwTooLong();
        line.push_back(u'\r');
    }
}

} // namespace mervasto

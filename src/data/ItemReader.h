#pragma once

#include "data/ByteSource.h"
#include "data/SourceText.h"
#include "data/TextDecoder.h"

#include <cstdint>
#include <filesystem>
#include <istream>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace mervasto {

// Sequential reader of the text files: the table files (CP932) and the CSV inputs (as
// SourceText opens them: CP932 or UTF-8, plain or zipped).
//
// readText(): an item ends at an ASCII comma or at a line end (CR LF, or a lone LF), and the
// delimiter is consumed; spaces before the item are skipped; an item that begins with a double
// quote runs to the next double quote, the quotes are dropped and commas between them belong
// to the item (anything after the closing quote up to the delimiter is dropped).
// readNumber(): an item read the same way, as a whole number; spaces around the digits are
// ignored.
// readLine(): one whole line exactly as written (no quote or space handling), without its
// line end; a lone LF also ends a line.
// atEnd() is true when no byte is left. Reading at the end throws DataError(InputPastEnd).
// Memory stays bounded: an item or line longer than maxItemLength code units throws
// DataError(ItemTooLong), and so do more spaces than that before an item or more text than that
// after its closing quote.
class ItemReader {
public:
    static constexpr std::size_t maxItemLength = 1 << 20;
    // The bytes taken from the input at a time.
    static constexpr std::size_t ChunkSize = 64 * 1024;

    // Throws DataError(FileNotFound) when the file cannot be opened for reading.
    explicit ItemReader(const std::filesystem::path& file);
    // Reads CP932 from a stream (tests, fuzzers).
    explicit ItemReader(std::unique_ptr<std::istream> stream);
    // Reads an input file as SourceFile::open() gives it.
    explicit ItemReader(SourceText source);
    ~ItemReader();
    ItemReader(const ItemReader&) = delete;
    ItemReader& operator=(const ItemReader&) = delete;

    bool atEnd();
    std::u16string readText();
    // Reads up to `items.size()` items as readText() does, as views into the reader's text that
    // stay valid until the next read; returns how many it read, fewer only at the end of the
    // input.
    std::size_t readTexts(std::span<std::u16string_view> items);
    std::int32_t readNumber();
    std::u16string readLine();
    // The same into `line`, whose storage is reused.
    void readLine(std::u16string& line);

    // The characters read so far that the tables cannot hold ("〓" in the text instead).
    std::size_t substitutedCount() const;

private:
    ItemReader(std::unique_ptr<ByteSource> bytes, std::unique_ptr<TextDecoder> decoder);
    bool fill();
    bool available();
    char16_t peek();
    void requireInput();
    template <typename Predicate> void takeWhile(Predicate keep, std::u16string& item);
    bool parseItem(std::size_t& pos, std::u16string_view& item) const;

    std::unique_ptr<ByteSource> bytes_;
    std::unique_ptr<TextDecoder> decoder_;
    std::u16string buffer_;
    std::size_t pos_ = 0;
    bool bytesDone_ = false;
};

} // namespace mervasto

#pragma once

#include "data/Cp932Codec.h"

#include <cstdint>
#include <filesystem>
#include <istream>
#include <memory>
#include <string>

namespace mervasto {

// Sequential reader of the CP932 text files: the CSV inputs and the table files.
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
// DataError(ItemTooLong).
class ItemReader {
public:
    static constexpr std::size_t maxItemLength = 1 << 20;

    // Throws DataError(FileNotFound) when the file cannot be opened for reading.
    explicit ItemReader(const std::filesystem::path& file);
    // Reads from a stream (tests, fuzzers).
    explicit ItemReader(std::unique_ptr<std::istream> stream);
    ~ItemReader();
    ItemReader(const ItemReader&) = delete;
    ItemReader& operator=(const ItemReader&) = delete;

    bool atEnd();
    std::u16string readText();
    std::int32_t readNumber();
    std::u16string readLine();

private:
    bool fill();
    bool available();
    char16_t peek();
    void requireInput();
    template <typename Predicate> void takeWhile(Predicate keep, std::u16string& item);
    template <typename Predicate> void skipWhile(Predicate skip);
    void consumeDelimiter();

    std::unique_ptr<std::istream> stream_;
    Cp932StreamDecoder decoder_;
    std::string chunk_;
    std::u16string buffer_;
    std::size_t pos_ = 0;
    bool streamDone_ = false;
};

} // namespace mervasto

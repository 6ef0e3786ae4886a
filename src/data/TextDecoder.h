#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mervasto {

// Turns the bytes of a text file, taken in chunks, into UTF-16 text. A character split between
// two chunks is kept back and completed by the next chunk.
class TextDecoder {
public:
    virtual ~TextDecoder() = default;

    // Appends the decoded text of `bytes` to `out`. With `final` set, a character left
    // incomplete at the end is decoded as a bad one.
    virtual void decode(std::string_view bytes, bool final, std::u16string& out) = 0;

    // The characters so far that the tables cannot hold and were written as "〓" instead.
    virtual std::size_t substitutedCount() const { return 0; }
};

} // namespace mervasto

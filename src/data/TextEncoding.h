#pragma once

#include <cstddef>
#include <string_view>

namespace mervasto {

// How a text file the user hands us is encoded. Tables are always CP932; input files (the
// operator's CSVs, address lists) come in CP932 or UTF-8.
enum class TextEncoding {
    Cp932,
    Utf8,        // valid UTF-8 without a byte-order mark (plain ASCII counts as UTF-8)
    Utf8WithBom, // starts with EF BB BF
};

// Decides from the bytes, never from a file name: a UTF-8 byte-order mark, else valid UTF-8,
// else CP932. `sample` may be the first part of a longer file: a UTF-8 sequence cut off at its
// end does not count against UTF-8.
TextEncoding detectTextEncoding(std::string_view sample);

// As detectTextEncoding, for the whole of a file: without a byte-order mark it is UTF-8 only
// when every byte is and its last character is whole (a CP932 file may end in a byte that
// begins a UTF-8 sequence, such as half-width katakana).
TextEncoding detectWholeFileEncoding(std::string_view file);

// The length of the byte-order mark that `encoding` begins with (3 or 0).
std::size_t byteOrderMarkLength(TextEncoding encoding);

} // namespace mervasto

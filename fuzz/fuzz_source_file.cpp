// An input file as a build opens it, on arbitrary bytes: plain text in either encoding or a
// zip archive, damaged or not. Opening either refuses the file or gives a text that reads to
// its end, the same on every reading. The same bytes read as UTF-8 give the same text whatever
// the chunks they come in.

#include "FuzzSupport.h"
#include "data/DataError.h"
#include "data/ItemReader.h"
#include "data/SourceText.h"
#include "data/Utf8TextDecoder.h"

#include <string>

namespace fs = std::filesystem;
using namespace mervasto;

namespace {

std::u16string readToEnd(const SourceFile& source) {
    ItemReader items(source.open());
    std::u16string text;
    while (!items.atEnd())
        text += items.readLine() + u'\n';
    return text;
}

// The chunked decode equals the whole one and counts the same substitutions.
void checkUtf8Chunks(std::string_view bytes) {
    Utf8TextDecoder whole;
    std::u16string once;
    whole.decode(bytes, true, once);
    Utf8TextDecoder chunked;
    const std::u16string streamed = fuzz::decodeInChunks(chunked, bytes);
    fuzz::require(streamed == once && chunked.substitutedCount() == whole.substitutedCount(),
                  "the chunked UTF-8 decode differs from the whole decode");
    fuzz::require(once.size() <= bytes.size(), "more UTF-8 characters than bytes");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fs::path file = fuzz::freshDirectory("source-file") / "input";
    const std::string_view bytes = fuzz::asBytes(data, size);
    fuzz::writeFile(file, bytes);
    checkUtf8Chunks(bytes);

    try {
        const SourceFile source(file);
        const std::u16string first = readToEnd(source);
        fuzz::require(readToEnd(source) == first, "two readings of one file differ");
    } catch (const DataError& error) {
        const bool zip = bytes.starts_with("PK");
        fuzz::require(error.kind() != DataError::Kind::WrongInput || zip,
                      "a file that is no zip archive was refused as one");
        fuzz::require(error.kind() != DataError::Kind::FileNotFound,
                      "the input could not be opened");
    }
    return 0;
}

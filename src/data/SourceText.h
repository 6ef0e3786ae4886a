#pragma once

#include "data/ByteSource.h"
#include "data/LargePages.h"
#include "data/LocalDateTime.h"
#include "data/TextDecoder.h"
#include "data/TextEncoding.h"

#include <cstdint>
#include <filesystem>
#include <istream>
#include <memory>
#include <string>

namespace mervasto {

// One reading of an input file: its text bytes (unzipped, without a byte-order mark) and the
// decoder for their encoding.
struct SourceText {
    std::unique_ptr<ByteSource> bytes;
    std::unique_ptr<TextDecoder> decoder;
};

// The largest CSV that a zip archive may hold (the operator's largest is about 12 MB).
inline constexpr std::uint64_t MaxZippedCsvSize = 200'000'000;

// An input file the user hands a build: a CSV in CP932 or UTF-8 (with or without a byte-order
// mark), or a zip archive holding one such CSV. What it is comes from the bytes, never from
// the name. A zip archive is unpacked once, however often the build reads the CSV.
class SourceFile {
public:
    // Throws DataError(FileNotFound) when the file cannot be opened, DataError(WrongInput)
    // for an unusable zip archive; the message names the file.
    explicit SourceFile(const std::filesystem::path& file);

    // A reading from the start of the text. Throws DataError(FileNotFound) when the file
    // can no longer be opened.
    SourceText open() const;

private:
    std::filesystem::path file_;
    std::shared_ptr<const LargeBytes> unzipped_; // the CSV of a zip archive, else empty
    TextEncoding encoding_ = TextEncoding::Cp932;
};

// The date of the data in an input file: the date of the CSV entry of a zip archive, else the
// time the file was last written. Throws DataError as SourceFile does.
LocalDateTime sourceDate(const std::filesystem::path& file);

} // namespace mervasto

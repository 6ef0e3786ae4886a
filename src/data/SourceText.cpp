#include "data/SourceText.h"

#include "data/Cp932Codec.h"
#include "data/DataError.h"
#include "data/Utf8.h"
#include "data/Utf8TextDecoder.h"
#include "data/ZipArchive.h"

#include <fstream>
#include <system_error>

namespace mervasto {

namespace {

// Enough of the start of a file to tell its encoding.
constexpr std::size_t SampleSize = 64 * 1024;

std::string fileName(const std::filesystem::path& file) {
    return toUtf8(file.u16string());
}

std::unique_ptr<std::istream> openFile(const std::filesystem::path& file) {
    auto stream = std::make_unique<std::ifstream>(file, std::ios::binary);
    if (!stream->is_open())
        throw DataError(DataError::Kind::FileNotFound, "cannot open " + fileName(file));
    return stream;
}

// The first `size` bytes of `in` (fewer when it is shorter); `in` is left at its start.
std::string readHead(std::istream& in, std::size_t size) {
    std::string head(size, '\0');
    in.read(head.data(), static_cast<std::streamsize>(size));
    if (in.bad())
        throw DataError(DataError::Kind::Io, "read error");
    head.resize(static_cast<std::size_t>(in.gcount()));
    in.clear();
    in.seekg(0);
    return head;
}

std::shared_ptr<const LargeBytes> unzip(std::istream& archive, const std::filesystem::path& file) {
    try {
        return std::make_shared<const LargeBytes>(readCsvEntry(archive, MaxZippedCsvSize));
    } catch (const DataError& error) {
        throw DataError(error.kind(), fileName(file) + ": " + error.what());
    }
}

std::unique_ptr<TextDecoder> decoderFor(TextEncoding encoding) {
    if (encoding == TextEncoding::Cp932)
        return std::make_unique<Cp932StreamDecoder>();
    return std::make_unique<Utf8TextDecoder>();
}

} // namespace

SourceFile::SourceFile(const std::filesystem::path& file) : file_(file) {
    const auto stream = openFile(file);
    std::string head = readHead(*stream, SampleSize);
    if (startsLikeZip(head)) {
        unzipped_ = unzip(*stream, file);
        head = viewOf(*unzipped_).substr(0, SampleSize);
    }
    encoding_ = detectTextEncoding(head);
}

SourceText SourceFile::open() const {
    const std::size_t start = byteOrderMarkLength(encoding_);
    if (unzipped_)
        return {std::make_unique<SharedTextBytes>(unzipped_, start), decoderFor(encoding_)};
    auto stream = openFile(file_);
    stream->seekg(static_cast<std::streamoff>(start));
    return {std::make_unique<StreamBytes>(std::move(stream)), decoderFor(encoding_)};
}

LocalDateTime sourceDate(const std::filesystem::path& file) {
    const auto stream = openFile(file);
    if (startsLikeZip(readHead(*stream, 4))) {
        try {
            return csvEntryDate(*stream);
        } catch (const DataError& error) {
            throw DataError(error.kind(), fileName(file) + ": " + error.what());
        }
    }
    std::error_code error;
    const auto written = std::filesystem::last_write_time(file, error);
    if (error)
        throw DataError(DataError::Kind::FileNotFound, "cannot look at " + fileName(file));
    return localDateTime(written);
}

} // namespace mervasto

#include "data/SourceText.h"

#include "data/Cp932Codec.h"
#include "data/DataError.h"
#include "data/Utf8.h"
#include "data/Utf8TextDecoder.h"
#include "data/ZipArchive.h"

#include <fstream>
#include <streambuf>

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
    head.resize(static_cast<std::size_t>(in.gcount()));
    in.clear();
    in.seekg(0);
    return head;
}

std::shared_ptr<const std::string> unzip(std::istream& archive, const std::filesystem::path& file) {
    try {
        return std::make_shared<const std::string>(readCsvEntry(archive, MaxZippedCsvSize));
    } catch (const DataError& error) {
        throw DataError(error.kind(), fileName(file) + ": " + error.what());
    }
}

// Reads a text held in memory, from `start` on, without copying it.
class SharedTextStream : public std::istream {
public:
    SharedTextStream(std::shared_ptr<const std::string> text, std::size_t start)
        : std::istream(nullptr), buffer_(std::move(text), start) {
        rdbuf(&buffer_);
    }

private:
    class Buffer : public std::streambuf {
    public:
        Buffer(std::shared_ptr<const std::string> text, std::size_t start)
            : text_(std::move(text)) {
            char* begin = const_cast<char*>(text_->data()); // read only: nothing is put back
            setg(begin, begin + start, begin + text_->size());
        }

    private:
        std::shared_ptr<const std::string> text_;
    };

    Buffer buffer_;
};

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
        head = unzipped_->substr(0, SampleSize);
    }
    encoding_ = detectTextEncoding(head);
}

SourceText SourceFile::open() const {
    const std::size_t start = byteOrderMarkLength(encoding_);
    if (unzipped_)
        return {std::make_unique<SharedTextStream>(unzipped_, start), decoderFor(encoding_)};
    auto stream = openFile(file_);
    stream->seekg(static_cast<std::streamoff>(start));
    return {std::move(stream), decoderFor(encoding_)};
}

} // namespace mervasto

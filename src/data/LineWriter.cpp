#include "data/LineWriter.h"

#include "data/Cp932Codec.h"
#include "data/DataError.h"

#include <string>

namespace mervasto {

namespace {

[[noreturn]] void throwWriteError(const std::filesystem::path& file) {
    throw DataError(DataError::Kind::Io, "cannot write " + file.string());
}

} // namespace

LineWriter::LineWriter(const std::filesystem::path& file) : file_(file) {
    out_.open(file, std::ios::binary | std::ios::trunc);
    if (!out_.is_open())
        throwWriteError(file_);
}

void LineWriter::writeLine(std::u16string_view text) {
    line_.clear();
    appendCp932(text, line_);
    line_ += "\r\n";
    out_.write(line_.data(), static_cast<std::streamsize>(line_.size()));
    if (!out_)
        throwWriteError(file_);
}

void LineWriter::writeNumber(std::int32_t number) {
    const std::string digits = std::to_string(number);
    const std::string line = (number < 0 ? "" : " ") + digits + " \r\n";
    out_.write(line.data(), static_cast<std::streamsize>(line.size()));
    if (!out_)
        throwWriteError(file_);
}

void LineWriter::close() {
    if (!out_.is_open())
        return;
    out_.close();
    if (!out_)
        throwWriteError(file_);
}

} // namespace mervasto

#include "data/RecordFile.h"

#include "data/DataError.h"

#include <limits>
#include <system_error>

namespace fs = std::filesystem;

namespace mervasto {

namespace {

constexpr auto RecordLength = static_cast<std::streamoff>(ZipRecord::Length);

std::streamoff offsetOf(std::int32_t recordNo) {
    return (recordNo - 1) * RecordLength;
}

} // namespace

RecordFileReader::RecordFileReader(const fs::path& file) {
    std::error_code error;
    if (!fs::exists(file, error))
        return;
    in_.open(file, std::ios::binary);
    const std::uintmax_t length = fs::file_size(file, error);
    if (!in_.is_open() || error)
        throw DataError(DataError::Kind::Io, "cannot open " + file.string());
    const std::uintmax_t count = length / ZipRecord::Length;
    if (count > static_cast<std::uintmax_t>(std::numeric_limits<std::int32_t>::max()))
        throw DataError(DataError::Kind::Overflow, "too many records in " + file.string());
    recordCount_ = static_cast<std::int32_t>(count);
}

std::optional<ZipRecord> RecordFileReader::read(std::int32_t recordNo) {
    if (recordNo < 1 || recordNo > recordCount_)
        return std::nullopt;
    // Records of a city are read in order: seek only when the position changes, so that the
    // stream's buffer serves consecutive records.
    if (recordNo != nextRecord_)
        in_.seekg(offsetOf(recordNo));
    RecordBytes bytes;
    in_.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!in_) {
        in_.clear();
        nextRecord_ = 0;
        throw DataError(DataError::Kind::Io, "cannot read record " + std::to_string(recordNo));
    }
    nextRecord_ = recordNo + 1;
    return decodeZipRecord(bytes);
}

RecordFileWriter::RecordFileWriter(const fs::path& file) : file_(file) {
    out_.open(file, std::ios::binary | std::ios::trunc);
    if (!out_.is_open())
        throw DataError(DataError::Kind::Io, "cannot create " + file.string());
}

void RecordFileWriter::write(std::int32_t recordNo, const ZipRecord& record) {
    write(recordNo, encodeZipRecord(record));
}

void RecordFileWriter::write(std::int32_t recordNo, const RecordBytes& bytes) {
    if (recordNo < 1)
        throw DataError(DataError::Kind::OutOfRange, "bad record number");
    if (recordNo != nextRecord_)
        out_.seekp(offsetOf(recordNo));
    out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out_)
        throw DataError(DataError::Kind::Io, "cannot write " + file_.string());
    nextRecord_ = recordNo + 1;
}

void RecordFileWriter::close() {
    if (!out_.is_open())
        return;
    out_.close();
    if (!out_)
        throw DataError(DataError::Kind::Io, "cannot write " + file_.string());
}

} // namespace mervasto

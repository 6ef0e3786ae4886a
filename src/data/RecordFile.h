#pragma once

#include "data/ZipRecord.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>

namespace mervasto {

// ZIPCODE.TXT opened for access by record number. Records are numbered from 1; record n
// occupies bytes (n - 1) * 70 to n * 70 - 1; the record count is the file length / 70.
class RecordFileReader {
public:
    // A missing file reads as an empty one (no records); any other failure to open throws.
    explicit RecordFileReader(const std::filesystem::path& file);

    std::int32_t recordCount() const { return recordCount_; }
    // A record number outside 1..recordCount() is absent.
    std::optional<ZipRecord> read(std::int32_t recordNo);

private:
    std::ifstream in_;
    std::int32_t recordCount_ = 0;
    std::int32_t nextRecord_ = 0; // the record the stream stands at, 0 when unknown
};

// Writes records by number into a new (truncated) record file.
class RecordFileWriter {
public:
    explicit RecordFileWriter(const std::filesystem::path& file);

    void write(std::int32_t recordNo, const ZipRecord& record);
    // The same for a record already encoded.
    void write(std::int32_t recordNo, const RecordBytes& bytes);
    // Flushes and closes; throws DataError(Io) when any write failed.
    void close();

private:
    std::filesystem::path file_;
    std::ofstream out_;
    std::int32_t nextRecord_ = 1; // the record the stream stands at
};

} // namespace mervasto

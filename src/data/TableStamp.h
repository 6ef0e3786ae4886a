#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace mervasto {

// Which ZIPID1.txt is on the disk: the time it was last written, its size and the generation
// of the tables' source record (data/TableSources.h). Every national build renames a file
// written moments before over it and counts the generation up, so a window that keeps the
// stamp of the index it loaded can tell when a build elsewhere has replaced the tables, even
// one that wrote an index of the same size within the same tick of the file clock.
struct IndexFileStamp {
    std::filesystem::file_time_type modified;
    std::uintmax_t size = 0;
    std::uint64_t generation = 0;

    bool operator==(const IndexFileStamp&) const = default;
};

// Nothing when the index file is missing or cannot be looked at.
std::optional<IndexFileStamp> indexFileStamp(const std::filesystem::path& dataDir);

} // namespace mervasto

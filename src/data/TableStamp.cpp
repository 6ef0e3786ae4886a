#include "data/TableStamp.h"

#include "data/TablePaths.h"
#include "data/TableSources.h"

#include <system_error>

namespace fs = std::filesystem;

namespace mervasto {

std::optional<IndexFileStamp> indexFileStamp(const fs::path& dataDir) {
    const fs::path file = resolveTablePath(dataDir, TableFile::Index);
    std::error_code error;
    IndexFileStamp stamp;
    stamp.modified = fs::last_write_time(file, error);
    if (!error)
        stamp.size = fs::file_size(file, error);
    if (error)
        return std::nullopt;
    stamp.generation = readTableSources(dataDir).generation;
    return stamp;
}

} // namespace mervasto

#include "builders/SourceRecord.h"

#include "data/FileOperations.h"
#include "data/TablePaths.h"

namespace mervasto {

void addSourceRecord(TableReplacement& tables, const std::filesystem::path& dataDir, TableSet set,
                     const SetSource& source) {
    TableSources record = readTableSources(dataDir);
    record.of(set) = source;
    ++record.generation;
    const auto fresh = tables.add(resolveTablePath(dataDir, TableFile::Sources));
    fileOperations().createFile(fresh, formatTableSources(record));
}

} // namespace mervasto

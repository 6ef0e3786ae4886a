#include "builders/SourceRecord.h"

#include "data/FileOperations.h"
#include "data/TablePaths.h"

namespace mervasto {

namespace {

void addRecord(TableReplacement& tables, const std::filesystem::path& dataDir,
               const TableSources& record) {
    const auto fresh = tables.add(resolveTablePath(dataDir, TableFile::Sources));
    fileOperations().createFile(fresh, formatTableSources(record));
}

} // namespace

void addSourceRecord(TableReplacement& tables, const std::filesystem::path& dataDir, TableSet set,
                     const SetSource& source) {
    TableSources record = readTableSources(dataDir);
    record.of(set) = source;
    ++record.generation;
    addRecord(tables, dataDir, record);
}

void addSourceRecord(TableReplacement& tables, const std::filesystem::path& dataDir,
                     const TableSources& sets) {
    TableSources record = readTableSources(dataDir);
    for (const auto set : {TableSet::National, TableSet::Offices})
        if (sets.of(set))
            record.of(set) = sets.of(set);
    ++record.generation;
    addRecord(tables, dataDir, record);
}

} // namespace mervasto

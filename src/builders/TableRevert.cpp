#include "builders/TableRevert.h"

#include "builders/GuardedBuild.h"
#include "builders/TableReplacement.h"
#include "data/DataError.h"
#include "data/FileOperations.h"
#include "data/PreviousTables.h"
#include "data/TableCommit.h"
#include "data/TablePaths.h"
#include "data/Utf8.h"

namespace fs = std::filesystem;

namespace mervasto {

namespace {

// The kept record, counted past the current generation, so that the set now in place becomes
// the previous one.
void addRevertedRecord(TableReplacement& tables, const fs::path& dataDir, TableSources record) {
    record.generation = readTableSources(dataDir).generation + 1;
    const auto fresh = tables.add(resolveTablePath(dataDir, TableFile::Sources));
    fileOperations().createFile(fresh, formatTableSources(record));
}

} // namespace

bool canRevertTables(const fs::path& dataDir) {
    return findPreviousTables(dataDir).has_value();
}

BuildOutcome revertTables(const fs::path& dataDir) {
    return guardedBuild([&] {
        TableReplacement tables(dataDir);
        const auto previous = findPreviousTables(dataDir);
        if (!previous)
            throw DataError(DataError::Kind::WrongInput,
                            "there are no previous tables to go back to in " + nameText(dataDir));
        for (const auto& table : previous->tables) {
            if (!isTableNamed(table, TableFile::Sources))
                tables.add(resolveTablePath(dataDir, table), named(previous->dir, table));
        }
        addRevertedRecord(tables, dataDir, previous->sources);
        tables.commit();
        return BuildOutcome{BuildResult::Completed, {}, 0};
    });
}

} // namespace mervasto

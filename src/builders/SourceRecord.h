#pragma once

#include "builders/TableReplacement.h"
#include "data/TableSources.h"

#include <filesystem>

namespace mervasto {

// Adds the tables' source record to `tables`, so that it is replaced together with the set it
// describes: the record as it stands, with `set` now from `source` and the generation counted
// up. A replacement of one set keeps what the record says of the other.
void addSourceRecord(TableReplacement& tables, const std::filesystem::path& dataDir, TableSet set,
                     const SetSource& source);

// The same for a replacement of both sets: each set that `sets` knows takes its source from it.
void addSourceRecord(TableReplacement& tables, const std::filesystem::path& dataDir,
                     const TableSources& sets);

} // namespace mervasto

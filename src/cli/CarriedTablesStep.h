#pragma once

#include "cli/Console.h"

#include <filesystem>

namespace mervasto::cli {

// Before a command that reads the tables: builds into `dataDir` the sets that are due from the
// postal data carried beside the program in `programDir` (builders/CarriedTables.h), saying so
// in one line on stderr. A build that fails says why in a second line; the command then
// reports the missing tables as it always does.
void buildDueCarriedTables(const std::filesystem::path& dataDir,
                           const std::filesystem::path& programDir, Console& console);

} // namespace mervasto::cli

#pragma once

#include "builders/BuildOutcome.h"

#include <filesystem>

namespace mervasto {

// Whether `dataDir` keeps a previous set to go back to (data/PreviousTables.h).
bool canRevertTables(const std::filesystem::path& dataDir);

// Puts the previous set kept in `dataDir` back in place of the current one, all or nothing,
// through the same replacement as a build: so the current set is kept in its turn, and a second
// revert undoes the first. The record of sources becomes the kept set's, its generation counted
// up. Refused when there is nothing to go back to; on failure the tables are as they were.
BuildOutcome revertTables(const std::filesystem::path& dataDir);

} // namespace mervasto

#pragma once

#include "builders/BuildOutcome.h"
#include "data/Filest.h"
#include "data/TableSources.h"

#include <filesystem>

namespace mervasto {

// The national builder's start button (ZipCodeConv1's Command1_Click) without the window:
// reads KEN_ALL.CSV at `csv` (CP932 or UTF-8, or zipped: see SourceFile) and writes
// ZIPCODE.TXT, ZIPID1.txt and ZipCode1.txt into `dataDir`. The CSV is opened first (a missing
// CSV fails before anything else); when ZIPCODE.TXT holds data `ask` is asked. A file whose
// rows are not KEN_ALL.CSV's (NationalRowShape) is refused. The three files are written under
// temporary names and replace the old set only when all three are complete; `index` is refilled
// only then. The tables' source record (data/TableSources.h) is replaced with them: the set
// comes from `origin`, with the date of the CSV's data. On failure the previous files, the
// record and `index` are exactly as they were.
BuildOutcome buildNationalTables(const std::filesystem::path& csv,
                                 const std::filesystem::path& dataDir, IndexTable& index,
                                 const AskOverwrite& ask, BuildProgress& progress,
                                 DataOrigin origin = DataOrigin::OwnFile);

// The same for a program that keeps no index in memory (the command line): only the files.
BuildOutcome buildNationalTables(const std::filesystem::path& csv,
                                 const std::filesystem::path& dataDir, const AskOverwrite& ask,
                                 BuildProgress& progress, DataOrigin origin = DataOrigin::OwnFile);

} // namespace mervasto

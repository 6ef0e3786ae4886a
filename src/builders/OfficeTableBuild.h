#pragma once

#include "builders/BuildOutcome.h"
#include "data/TableSources.h"

#include <filesystem>

namespace mervasto {

// The business-office builder's start button (ZipCodeConv3's Command1_Click) without the
// window: reads JIGYOSYO.CSV at `csv` (CP932 or UTF-8, or zipped: see SourceFile) and
// writes ZipCode2.txt into `dataDir`, through a temporary file that replaces the table only
// when complete. When the table holds data `ask` is asked. A file whose rows are not
// JIGYOSYO.CSV's (OfficeRowShape) is refused. The tables' source record is replaced with it,
// the set coming from `origin` with the date of the CSV's data. On failure the previous table
// and the record are byte for byte as they were.
BuildOutcome buildOfficeTable(const std::filesystem::path& csv,
                              const std::filesystem::path& dataDir, const AskOverwrite& ask,
                              BuildProgress& progress, DataOrigin origin = DataOrigin::OwnFile);

} // namespace mervasto

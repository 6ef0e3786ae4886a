#pragma once

#include "builders/BuildOutcome.h"
#include "builders/ChangeReport.h"

#include <filesystem>
#include <functional>
#include <string>

namespace mervasto {

// The operator's two files as downloaded: KEN_ALL.CSV and JIGYOSYO.CSV, zipped or not.
struct UpdateFiles {
    std::filesystem::path national;
    std::filesystem::path offices;
};

enum class UpdateResult {
    Completed, // the new tables are in place
    Unchanged, // the files hold what the tables hold: nothing was replaced
    Declined,  // the shrinking national list was not confirmed: nothing was replaced
    Failed,    // the detail says why; the tables are as they were
    Refused,   // a file is not the one expected; the tables are as they were
};

struct UpdateOutcome {
    UpdateResult result = UpdateResult::Failed;
    std::string detail; // what failed or was refused, for stderr
    ChangeReport report;
};

// Asked when the new national list holds under NationalShrinkLimit of the current one's lines:
// a file cut short at the source should not replace good tables unseen.
using ConfirmShrink = std::function<bool(const ChangeReport& report)>;
inline constexpr double NationalShrinkLimit = 0.9;

// Builds both sets from `files` in a working directory inside `dataDir`, with the same builds
// as the builders (so the tables are exactly what a build of those files gives), compares them
// with the current tables, and replaces the national and office sets together, all or nothing,
// with the record of their sources. The replaced set is kept for a revert. Nothing is replaced
// when the new tables equal the current ones, and then the record keeps its dates too.
UpdateOutcome updateTables(const UpdateFiles& files, const std::filesystem::path& dataDir,
                           const ConfirmShrink& confirmShrink, BuildProgress& progress);

} // namespace mervasto

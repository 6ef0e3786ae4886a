#pragma once

#include "builders/BuildOutcome.h"
#include "data/CarriedData.h"
#include "data/TableSources.h"

#include <filesystem>
#include <vector>

namespace mervasto {

// A set of tables to build from the carried postal data.
struct CarriedBuild {
    TableSet set = TableSet::National;
    std::filesystem::path archive; // the carried zip it is built from
};

// The sets of `dataDir` to build from `carried`: a set that the directory lacks (any of its
// files missing), and a set built from carried data older than the data carried now (the
// installation was upgraded). A set the user built from a file of their own is never among
// them, nor one whose origin is unknown (tables of a version that kept no record), nor one
// whose carried archive cannot be read.
std::vector<CarriedBuild> carriedBuildsDue(const std::filesystem::path& dataDir,
                                           const CarriedData& carried);

// Builds `build` into `dataDir` as the builders do, with no question: what the directory held
// of that set is replaced.
BuildOutcome buildFromCarriedData(const CarriedBuild& build, const std::filesystem::path& dataDir,
                                  BuildProgress& progress);

} // namespace mervasto

#include "cli/CarriedTablesStep.h"

#include "builders/CarriedTables.h"
#include "cli/CommandLine.h"

namespace mervasto::cli {

namespace {

// The command line shows no progress bar: the line said what is happening.
class NoProgress : public BuildProgress {
public:
    void setRange(int, int) override {}
    void setValue(int) override {}
};

} // namespace

void buildDueCarriedTables(const std::filesystem::path& dataDir,
                           const std::filesystem::path& programDir, Console& console) {
    const auto due = carriedBuildsDue(dataDir, findCarriedData(programDir));
    if (due.empty())
        return;
    console.err("mervasto-cli: building the tables in " + utf8FromPath(dataDir) +
                " from the postal data that came with the program\n");
    NoProgress progress;
    for (const auto& build : due) {
        const BuildOutcome outcome = buildFromCarriedData(build, dataDir, progress);
        if (outcome.result != BuildResult::Completed) {
            console.err("mervasto-cli: the tables could not be built: " + outcome.detail + "\n");
            return;
        }
    }
}

} // namespace mervasto::cli

#include "builders/TableUpdate.h"

#include "builders/GuardedBuild.h"
#include "builders/NationalTableBuild.h"
#include "builders/OfficeTableBuild.h"
#include "builders/SourceRecord.h"
#include "builders/TableReplacement.h"
#include "data/DataError.h"
#include "data/FileOperations.h"
#include "data/TableCommit.h"
#include "data/TablePaths.h"
#include "data/Utf8.h"
#include "data/WholeFile.h"

#include <array>
#include <random>

namespace fs = std::filesystem;

namespace mervasto {

namespace {

constexpr std::array BuiltTables = {TableFile::Records, TableFile::Index, TableFile::Lines,
                                    TableFile::Offices};

// A directory of its own inside the table directory, so that the built files can become the
// tables by a rename; removed with all it holds when the update ends. A start that finds it
// while no update runs removes it as a leftover.
class WorkDirectory {
public:
    explicit WorkDirectory(const fs::path& dataDir) : path_(named(dataDir, uniqueName())) {
        fileOperations().createDirectory(path_);
    }
    ~WorkDirectory() {
        try {
            fileOperations().removeTree(path_);
        } catch (...) {
            // removed by the next start
        }
    }
    WorkDirectory(const WorkDirectory&) = delete;
    WorkDirectory& operator=(const WorkDirectory&) = delete;

    const fs::path& path() const { return path_; }

private:
    static std::string uniqueName() {
        std::random_device random;
        const std::uint64_t number = (std::uint64_t{random()} << 32) | random();
        return temporaryName(UpdateWorkName, number % 1'000'000'000'000ULL);
    }

    fs::path path_;
};

// A failed build's outcome, named after the file that it was built from.
UpdateOutcome failedBuild(const BuildOutcome& outcome, std::string_view file) {
    const auto result =
        outcome.result == BuildResult::Refused ? UpdateResult::Refused : UpdateResult::Failed;
    return {result, std::string(file) + ": " + outcome.detail, {}};
}

bool sameBytes(const fs::path& a, const fs::path& b) {
    std::error_code error;
    if (!fs::exists(a, error) || !fs::exists(b, error))
        return false;
    return fs::file_size(a) == fs::file_size(b) && readWholeFile(a) == readWholeFile(b);
}

bool holdsSameTables(const fs::path& dataDir, const fs::path& built) {
    for (const auto name : BuiltTables)
        if (!sameBytes(resolveTablePath(dataDir, name), resolveTablePath(built, name)))
            return false;
    return true;
}

bool shrinks(const ChangeReport& report) {
    return static_cast<double>(report.newAddressLines) <
           NationalShrinkLimit * static_cast<double>(report.currentAddressLines);
}

// The built tables and the record of both sets' sources, as the builds wrote it, replace the
// current ones in one commit.
void replaceTables(const fs::path& dataDir, const fs::path& built, TableReplacement& tables) {
    for (const auto name : BuiltTables)
        tables.add(resolveTablePath(dataDir, name), resolveTablePath(built, name));
    addSourceRecord(tables, dataDir, readTableSources(built));
    tables.commit();
}

UpdateOutcome update(const UpdateFiles& files, const fs::path& dataDir,
                     const ConfirmShrink& confirmShrink, BuildProgress& progress) {
    fs::create_directories(dataDir);
    TableReplacement tables(dataDir); // holds the build mark over the work directory too
    const WorkDirectory work(dataDir);
    const AskOverwrite overwrite = [](const std::u16string&) { return OverwriteAnswer::Yes; };
    const auto national = buildNationalTables(files.national, work.path(), overwrite, progress);
    if (national.result != BuildResult::Completed)
        return failedBuild(national, nameText(files.national.filename()));
    const auto offices = buildOfficeTable(files.offices, work.path(), overwrite, progress);
    if (offices.result != BuildResult::Completed)
        return failedBuild(offices, nameText(files.offices.filename()));

    UpdateOutcome outcome{UpdateResult::Completed, {}, compareTables(dataDir, work.path())};
    // A change in the lines shows without reading the tables again.
    if (outcome.report.empty() && holdsSameTables(dataDir, work.path())) {
        outcome.result = UpdateResult::Unchanged;
        return outcome;
    }
    if (shrinks(outcome.report) && !confirmShrink(outcome.report)) {
        outcome.result = UpdateResult::Declined;
        return outcome;
    }
    replaceTables(dataDir, work.path(), tables);
    return outcome;
}

} // namespace

UpdateOutcome updateTables(const UpdateFiles& files, const fs::path& dataDir,
                           const ConfirmShrink& confirmShrink, BuildProgress& progress) {
    UpdateOutcome outcome;
    const auto guarded = guardedBuild([&] {
        outcome = update(files, dataDir, confirmShrink, progress);
        return BuildOutcome{BuildResult::Completed, {}, 0};
    });
    if (guarded.result == BuildResult::Completed)
        return outcome;
    const auto result =
        guarded.result == BuildResult::Refused ? UpdateResult::Refused : UpdateResult::Failed;
    return {result, guarded.detail, {}};
}

} // namespace mervasto

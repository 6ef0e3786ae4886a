#include "builders/CarriedTables.h"

#include "builders/NationalTableBuild.h"
#include "builders/OfficeTableBuild.h"
#include "data/DataError.h"
#include "data/SourceText.h"
#include "data/TablePaths.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>
#include <system_error>

namespace fs = std::filesystem;

namespace mervasto {

namespace {

bool lacksAnyOf(const fs::path& dataDir, std::span<const std::string_view> tables) {
    return std::any_of(tables.begin(), tables.end(), [&](std::string_view table) {
        std::error_code error;
        return !fs::exists(resolveTablePath(dataDir, table), error);
    });
}

bool isMissing(const fs::path& dataDir, TableSet set) {
    static constexpr std::array National{TableFile::Records, TableFile::Index, TableFile::Lines};
    static constexpr std::array Offices{TableFile::Offices};
    if (set == TableSet::National)
        return lacksAnyOf(dataDir, National);
    return lacksAnyOf(dataDir, Offices);
}

bool isOlderThan(const SetSource& built, const fs::path& archive) {
    try {
        return built.dataDate < sourceDate(archive);
    } catch (const DataError&) {
        return false; // an archive that cannot be read replaces nothing
    }
}

bool isDue(const fs::path& dataDir, const TableSources& record, TableSet set,
           const fs::path& archive) {
    if (archive.empty())
        return false;
    if (isMissing(dataDir, set))
        return true;
    const auto& built = record.of(set);
    return built && built->origin == DataOrigin::Carried && isOlderThan(*built, archive);
}

OverwriteAnswer replaceWithoutAsking(const std::u16string&) {
    return OverwriteAnswer::Yes;
}

} // namespace

std::vector<CarriedBuild> carriedBuildsDue(const fs::path& dataDir, const CarriedData& carried) {
    const TableSources record = readTableSources(dataDir);
    std::vector<CarriedBuild> due;
    if (isDue(dataDir, record, TableSet::National, carried.national))
        due.push_back({TableSet::National, carried.national});
    if (isDue(dataDir, record, TableSet::Offices, carried.offices))
        due.push_back({TableSet::Offices, carried.offices});
    return due;
}

BuildOutcome buildFromCarriedData(const CarriedBuild& build, const fs::path& dataDir,
                                  BuildProgress& progress) {
    if (build.set == TableSet::National)
        return buildNationalTables(build.archive, dataDir, replaceWithoutAsking, progress,
                                   DataOrigin::Carried);
    return buildOfficeTable(build.archive, dataDir, replaceWithoutAsking, progress,
                            DataOrigin::Carried);
}

} // namespace mervasto

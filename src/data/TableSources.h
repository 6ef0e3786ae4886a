#pragma once

#include "data/LocalDateTime.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace mervasto {

// The two sets of tables that are built apart: the national tables (ZIPCODE.TXT, ZIPID1.txt,
// ZipCode1.txt) and the business-office table (ZipCode2.txt).
enum class TableSet { National, Offices };

// Where a set's data came from: the postal data that the installation carries, or a file the
// user built the set from.
enum class DataOrigin { Carried, OwnFile };

struct SetSource {
    DataOrigin origin = DataOrigin::OwnFile;
    LocalDateTime dataDate; // the date of the data the set was built from

    bool operator==(const SetSource&) const = default;
};

// The record kept beside the tables (TableFile::Sources) of where each set came from, and a
// generation number that every replacement of a set counts up. Tables built by a version that
// kept no record have none: their sets are unknown.
struct TableSources {
    std::optional<SetSource> national;
    std::optional<SetSource> offices;
    std::uint64_t generation = 0;

    std::optional<SetSource>& of(TableSet set) {
        return set == TableSet::National ? national : offices;
    }
    const std::optional<SetSource>& of(TableSet set) const {
        return set == TableSet::National ? national : offices;
    }
    bool operator==(const TableSources&) const = default;
};

// The record's text: one line "generation N", then a line per known set, e.g.
// "national carried 2025-09-30 00:00:00".
std::string formatTableSources(const TableSources& sources);

// A line that is not understood is ignored, so that a damaged record loses only what it
// cannot tell.
TableSources parseTableSources(std::string_view text);

// The record of the tables in `dataDir`; an empty record when there is none or it cannot be
// read.
TableSources readTableSources(const std::filesystem::path& dataDir);

} // namespace mervasto

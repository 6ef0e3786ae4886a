#pragma once

#include "data/TableSources.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mervasto {

// The set of tables that the last replacement put aside, so that it can be brought back. It is
// kept in a directory of its own inside the table directory, as second names of the old files:
// the tables under their own names, and a list of them written last, so that a directory without
// the list is a set that was never finished.
inline constexpr std::string_view PreviousTablesName = ".mervasto-previous";
inline constexpr std::string_view PreviousTablesList = ".mervasto-set";

struct PreviousTables {
    std::filesystem::path dir;       // the kept set's directory
    std::vector<std::string> tables; // the file names it holds, as the list gives them
    TableSources sources;            // its own record (empty when it had none)
};

// The file names of the tables that `dir` holds now, as spelled there: the whole set that a
// replacement puts aside.
std::vector<std::string> presentTables(const std::filesystem::path& dir);

// The list file's text for `tables`, one name per line.
std::string previousTablesList(const std::vector<std::string>& tables);

// The set kept in `dataDir`, when it is whole and it is the set that the current tables
// replaced: every replacement counts the generation of the record up by one, so the kept set's
// generation is one less than the current one. A set kept before a later replacement that kept
// none (or whose putting aside was cut short) is no longer the previous one, and is not offered.
std::optional<PreviousTables> findPreviousTables(const std::filesystem::path& dataDir);

} // namespace mervasto

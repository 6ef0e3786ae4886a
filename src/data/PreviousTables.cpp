#include "data/PreviousTables.h"

#include "data/TableCommit.h"
#include "data/Utf8.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace mervasto {

namespace {

bool isPresent(const fs::path& file) {
    std::error_code error;
    return fs::is_regular_file(file, error);
}

// The names of the list, when it is there and names only tables that the directory holds.
std::optional<std::vector<std::string>> readList(const fs::path& keptDir) {
    std::ifstream in(keptDir / PreviousTablesList, std::ios::binary);
    if (!in.is_open())
        return std::nullopt;
    std::vector<std::string> tables;
    for (std::string name; std::getline(in, name);) {
        if (!isTableName(name) || !isPresent(named(keptDir, name)))
            return std::nullopt;
        tables.push_back(name);
    }
    if (tables.empty())
        return std::nullopt;
    return tables;
}

} // namespace

std::vector<std::string> presentTables(const fs::path& dir) {
    std::vector<std::string> tables;
    std::error_code error;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        const std::string name = nameText(it->path().filename());
        if (isTableName(name) && isPresent(it->path()))
            tables.push_back(name);
    }
    std::sort(tables.begin(), tables.end());
    return tables;
}

std::string previousTablesList(const std::vector<std::string>& tables) {
    std::string list;
    for (const auto& name : tables)
        list += name + '\n';
    return list;
}

std::optional<PreviousTables> findPreviousTables(const fs::path& dataDir) {
    const fs::path keptDir = dataDir / PreviousTablesName;
    auto tables = readList(keptDir);
    if (!tables)
        return std::nullopt;
    TableSources kept = readTableSources(keptDir);
    if (kept.generation + 1 != readTableSources(dataDir).generation)
        return std::nullopt;
    return PreviousTables{keptDir, std::move(*tables), std::move(kept)};
}

} // namespace mervasto

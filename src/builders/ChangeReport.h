#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace mervasto {

// One kind of change: how many, and the first of them as lines of UTF-8 text.
struct ChangeList {
    std::size_t count = 0;
    std::vector<std::string> first;

    void add(std::string line);
};

// What a new set of tables changes against the current one, from the lines of the national
// list (code and whole address) and of the business-office table (code and name).
struct ChangeReport {
    static constexpr std::size_t ListedLines = 10; // lines kept of each kind

    ChangeList codesAdded;       // "code address": codes that no current line has
    ChangeList codesRemoved;     // "code address": codes that no new line has
    ChangeList addressesRecoded; // addresses in both whose codes differ: "address old → new"
    ChangeList officesAdded;     // office lines that are new
    ChangeList officesRemoved;   // office lines that are gone
    std::size_t currentAddressLines = 0;
    std::size_t newAddressLines = 0;

    bool empty() const;
};

// Compares the national list and the office table of `currentDir` with those of `newDir`. A
// table that a directory lacks counts as empty.
ChangeReport compareTables(const std::filesystem::path& currentDir,
                           const std::filesystem::path& newDir);

// The report as text, counts first, each list under its count; the same on the command line and
// in the window.
std::u16string formatChangeReport(const ChangeReport& report);

} // namespace mervasto

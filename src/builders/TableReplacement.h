#pragma once

#include <filesystem>
#include <vector>

namespace mervasto {

// New versions of a set of table files, written under temporary names in the directory of the
// files they replace and put in place together. Until commit() succeeds every old file stays
// exactly as it was; whatever was not committed is removed when the object goes away, so no
// temporary file is left behind on any path.
class TableReplacement {
public:
    TableReplacement() = default;
    ~TableReplacement();
    TableReplacement(const TableReplacement&) = delete;
    TableReplacement& operator=(const TableReplacement&) = delete;

    // Registers `target` for replacement and returns the temporary path that the new content
    // is to be written to (the file is not created here).
    std::filesystem::path add(const std::filesystem::path& target);

    // Renames every new file over its target, in the order they were added. When a rename
    // fails, the targets already replaced get their old content back (or are removed when they
    // did not exist before) and DataError(Io) is thrown.
    void commit();

private:
    struct Replacement {
        std::filesystem::path target;
        std::filesystem::path fresh;  // the new content
        std::filesystem::path backup; // the old content while committing; empty if none
    };

    void keepBackups();
    void restore(std::size_t replacedCount) noexcept;
    void removeLeftovers() noexcept;

    std::vector<Replacement> replacements_;
};

} // namespace mervasto

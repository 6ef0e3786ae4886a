#include "builders/TableReplacement.h"

#include "data/DataError.h"

#include <random>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace mervasto {

namespace {

// A name beside `target` that no file has yet: ".<name>.<random>.tmp". When the directory
// cannot be looked into (a path too long, a symbolic link loop, no permission), no name can
// be checked and none is tried again: that throws DataError(Io).
fs::path temporaryBeside(const fs::path& target) {
    thread_local std::mt19937_64 generator{std::random_device{}()};
    for (;;) {
        std::string name = ".";
        name += target.filename().string();
        name += '.';
        name += std::to_string(generator() % 1'000'000'000'000ULL);
        name += ".tmp";
        const auto candidate = target.parent_path() / name;
        std::error_code error;
        const bool taken = fs::exists(candidate, error);
        if (error)
            throw DataError(DataError::Kind::Io, "cannot use the directory of " + target.string() +
                                                     ": " + error.message());
        if (!taken)
            return candidate;
    }
}

[[noreturn]] void failCommit(const fs::path& target, const std::error_code& error) {
    throw DataError(DataError::Kind::Io,
                    "cannot replace " + target.string() + ": " + error.message());
}

} // namespace

TableReplacement::~TableReplacement() {
    removeLeftovers();
}

fs::path TableReplacement::add(const fs::path& target) {
    replacements_.push_back({target, temporaryBeside(target), {}});
    return replacements_.back().fresh;
}

void TableReplacement::commit() {
    keepBackups();
    for (std::size_t index = 0; index < replacements_.size(); ++index) {
        const auto& replacement = replacements_[index];
        std::error_code error;
        fs::rename(replacement.fresh, replacement.target, error);
        if (error) {
            restore(index);
            failCommit(replacement.target, error);
        }
    }
    for (auto& replacement : replacements_)
        replacement.fresh.clear();
    removeLeftovers();
}

// A second name for the content of each existing target, so that it can be put back if a
// later rename fails. A hard link costs nothing; where links are not supported, a copy.
void TableReplacement::keepBackups() {
    for (auto& replacement : replacements_) {
        std::error_code error;
        if (!fs::exists(replacement.target, error))
            continue;
        auto backup = temporaryBeside(replacement.target);
        fs::create_hard_link(replacement.target, backup, error);
        if (error) {
            error.clear();
            fs::copy_file(replacement.target, backup, error);
        }
        if (error) {
            std::error_code ignored;
            fs::remove(backup, ignored); // a copy cut short by a full disk
            failCommit(replacement.target, error);
        }
        replacement.backup = std::move(backup);
    }
}

void TableReplacement::restore(std::size_t replacedCount) noexcept {
    for (std::size_t index = 0; index < replacedCount; ++index) {
        auto& replacement = replacements_[index];
        std::error_code error;
        if (replacement.backup.empty()) {
            fs::remove(replacement.target, error);
            continue;
        }
        fs::rename(replacement.backup, replacement.target, error);
        if (error)
            replacement.backup.clear(); // never delete the only copy of the old content
    }
}

void TableReplacement::removeLeftovers() noexcept {
    for (auto& replacement : replacements_) {
        std::error_code ignored;
        if (!replacement.fresh.empty())
            fs::remove(replacement.fresh, ignored);
        if (!replacement.backup.empty())
            fs::remove(replacement.backup, ignored);
        replacement.fresh.clear();
        replacement.backup.clear();
    }
}

} // namespace mervasto

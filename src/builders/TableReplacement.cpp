#include "builders/TableReplacement.h"

#include "data/DataError.h"
#include "data/FileOperations.h"
#include "data/PreviousTables.h"
#include "data/TablePaths.h"
#include "data/Utf8.h"

#include <algorithm>
#include <random>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace mervasto {

namespace {

// A name beside `name` in `dir` that no file has yet. When the directory cannot be looked into
// (a path too long, a symbolic link loop, no permission), no name can be checked and none is
// tried again: that throws DataError(Io).
std::string temporaryBeside(const fs::path& dir, const std::string& name) {
    thread_local std::mt19937_64 generator{std::random_device{}()};
    for (;;) {
        auto candidate = temporaryName(name, generator() % 1'000'000'000'000ULL);
        std::error_code error;
        const bool taken = fs::exists(named(dir, candidate), error);
        if (error)
            throw DataError(DataError::Kind::Io,
                            "cannot use the directory " + nameText(dir) + ": " + error.message());
        if (!taken)
            return candidate;
    }
}

void removeQuietly(const fs::path& file) noexcept {
    try {
        fileOperations().remove(file);
    } catch (...) {
        // What cannot be removed now is removed by the next start.
    }
}

bool isPresent(const fs::path& file) {
    std::error_code error;
    return fs::exists(file, error);
}

} // namespace

TableReplacement::TableReplacement(const fs::path& dir)
    : dir_(dir.empty() ? fs::path(".") : dir), mark_(dir_), lock_(dir_, TableLock::Mode::Shared) {}

TableReplacement::~TableReplacement() {
    for (auto& sync : syncs_) // a file is not removed while it is being synced
        if (sync.done.valid())
            sync.done.wait();
    removeLeftovers();
}

std::string TableReplacement::registerTable(const fs::path& name) {
    const std::string table = nameText(name.filename());
    journal_.steps.push_back({table, temporaryBeside(dir_, table), {}});
    return journal_.steps.back().fresh;
}

fs::path TableReplacement::add(const fs::path& name) {
    const fs::path fresh = named(dir_, registerTable(name));
    fileOperations().createFile(fresh, {});
    return fresh;
}

void TableReplacement::add(const fs::path& name, const fs::path& content) {
    fileOperations().link(content, named(dir_, registerTable(name)));
}

void TableReplacement::completed(const fs::path& fresh) {
    // The system writes the file out while the build goes on, and the build waits less at the
    // end: a sync waits for what the disk has not written yet.
    syncs_.push_back(
        {fresh, std::async(std::launch::async, [fresh] { fileOperations().syncFile(fresh); })});
}

// Rethrows the first sync that failed.
void TableReplacement::waitForSyncs() {
    for (auto& sync : syncs_)
        if (sync.done.valid())
            sync.done.get();
}

void TableReplacement::commit() {
    waitForSyncs();
    lock_.makeExclusive();
    finishInterruptedCommit(dir_); // one that died before this one began
    checkNewFilesKept();
    for (const auto& step : journal_.steps) {
        const fs::path fresh = named(dir_, step.fresh);
        const bool syncedEarly =
            std::any_of(syncs_.begin(), syncs_.end(),
                        [&](const EarlySync& sync) { return sync.file == fresh; });
        if (!syncedEarly)
            fileOperations().syncFile(fresh);
    }
    if (journal_.steps.size() == 1) {
        renameOne();
        return;
    }
    if (replacesOnlyExistingTables())
        putCurrentSetAside();
    keepBackups();
    writeJournal();
    try {
        renameAll();
    } catch (...) {
        undo();
        throw;
    }
    keepSetPutAside();
}

// The source record is new to tables built by a version that kept none.
bool TableReplacement::replacesOnlyExistingTables() const {
    return std::all_of(journal_.steps.begin(), journal_.steps.end(), [&](const CommitStep& step) {
        return isTableNamed(step.table, TableFile::Sources) || isPresent(named(dir_, step.table));
    });
}

// Second names of every table the directory holds, in a directory of their own; the list of
// them last, once they are all on the disk.
void TableReplacement::putCurrentSetAside() {
    auto& files = fileOperations();
    setAside_ = temporaryBeside(dir_, std::string(PreviousTablesName));
    const fs::path aside = named(dir_, setAside_);
    files.createDirectory(aside);
    const auto tables = presentTables(dir_);
    for (const auto& table : tables)
        files.link(named(dir_, table), named(aside, table));
    const fs::path list = aside / PreviousTablesList;
    files.createFile(list, previousTablesList(tables));
    files.syncFile(list);
    files.syncDirectory(aside);
}

// The new set is in place: the set put aside becomes the previous one. Dying half way loses
// the previous set, never the tables; what is left is removed by the next start.
void TableReplacement::keepSetPutAside() noexcept {
    if (setAside_.empty())
        return;
    try {
        auto& files = fileOperations();
        const fs::path kept = dir_ / PreviousTablesName;
        std::string older;
        if (fs::exists(kept)) {
            older = temporaryBeside(dir_, std::string(PreviousTablesName));
            files.rename(kept, named(dir_, older));
        }
        files.rename(named(dir_, setAside_), kept);
        setAside_.clear();
        files.syncDirectory(dir_);
        if (!older.empty())
            files.removeTree(named(dir_, older));
    } catch (...) {
        // left for the next start
    }
}

// The lock is given up on its way to exclusive. Where the build mark cannot be held, a start
// that took the lock then may have taken the new files for leftovers and removed them.
void TableReplacement::checkNewFilesKept() const {
    for (const auto& step : journal_.steps) {
        if (!isPresent(named(dir_, step.fresh)))
            throw DataError(DataError::Kind::Io, "cannot replace the tables in " + nameText(dir_) +
                                                     ": " + step.fresh + " was removed meanwhile");
    }
}

// One file needs no journal: its rename replaces it in one step.
void TableReplacement::renameOne() {
    const CommitStep& step = journal_.steps.front();
    fileOperations().rename(named(dir_, step.fresh), named(dir_, step.table));
    journal_.steps.clear();
    try {
        fileOperations().syncDirectory(dir_);
    } catch (...) {
        // the file is in place: the system writes the rename out in its own time
    }
}

// A second name for the content of each existing table, so that it can be put back if a later
// rename fails.
void TableReplacement::keepBackups() {
    for (auto& step : journal_.steps) {
        if (!isPresent(named(dir_, step.table)))
            continue;
        auto backup = temporaryBeside(dir_, step.table);
        fileOperations().link(named(dir_, step.table), named(dir_, backup));
        step.backup = std::move(backup);
    }
}

// Written under a temporary name, synced, then renamed into place: the rename is the point of
// no return, and the directory sync makes it last.
void TableReplacement::writeJournal() {
    auto& files = fileOperations();
    const fs::path written = named(dir_, temporaryBeside(dir_, std::string(JournalName)));
    try {
        files.createFile(written, journalBytes(journal_));
        files.syncFile(written);
        files.rename(written, dir_ / JournalName);
    } catch (...) {
        removeQuietly(written);
        throw;
    }
    journalWritten_ = true;
}

// Once the tables are in place the build has succeeded: what cannot be cleared away now is
// cleared by the next start, which finds the journal.
void TableReplacement::renameAll() {
    fileOperations().syncDirectory(dir_);
    putJournalInPlace(dir_, journal_);
    try {
        clearJournalAway(dir_, journal_);
    } catch (...) {
        // left for the next start
    }
    journal_.steps.clear();
}

// Turns the journal round in place before anything is put back, so that a start after a death
// during the undo goes on undoing. If even that cannot be written, the journal stays as it is
// and the next start finishes the replacement.
void TableReplacement::undo() noexcept {
    try {
        auto& files = fileOperations();
        const fs::path journal = dir_ / JournalName;
        files.overwrite(journal, JournalDirectionOffset,
                        std::string(1, static_cast<char>(CommitDirection::Undo)));
        files.syncFile(journal);
        journal_.direction = CommitDirection::Undo;
        carryOutJournal(dir_, journal_);
        journal_.steps.clear();
    } catch (...) {
        // the journal stays as it was: the next start finishes the replacement
    }
}

void TableReplacement::removeLeftovers() noexcept {
    if (!setAside_.empty()) {
        try {
            fileOperations().removeTree(named(dir_, setAside_));
        } catch (...) {
            // removed by the next start
        }
    }
    if (journalWritten_)
        return;
    for (const auto& step : journal_.steps) {
        removeQuietly(named(dir_, step.fresh));
        if (!step.backup.empty())
            removeQuietly(named(dir_, step.backup));
    }
}

} // namespace mervasto

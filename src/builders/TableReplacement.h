#pragma once

#include "data/TableCommit.h"
#include "data/TableLock.h"

#include <filesystem>
#include <future>
#include <vector>

namespace mervasto {

// New versions of a set of table files of one directory, written under temporary names beside
// the files they replace and put in place together, all or nothing, even when the process dies
// or the power goes during the commit (data/TableCommit.h tells how; a single file, which may
// be any file, needs no journal). Until commit() passes
// its point of no return every old file stays exactly as it was; whatever was not committed is
// removed when the object goes away. The object holds the directory's table lock shared and its
// build mark from its construction, so that no other start takes its new files for leftovers.
//
// A replacement of tables that all exist puts the whole set it replaces aside, with the record
// of its sources, as the one previous set that can be brought back (data/PreviousTables.h). The
// set is put aside before the new one counts and takes the place of the set kept before only
// once the new one is in place; a replacement of tables of which one is missing keeps nothing.
class TableReplacement {
public:
    explicit TableReplacement(const std::filesystem::path& dir);
    ~TableReplacement();
    TableReplacement(const TableReplacement&) = delete;
    TableReplacement& operator=(const TableReplacement&) = delete;

    // Registers the table `name` of the directory for replacement, creates its (empty)
    // temporary file and returns its path, to which the new content is to be written.
    std::filesystem::path add(const std::filesystem::path& name);

    // Registers the table `name` for replacement by the content of `content`, a file on the
    // directory's file system (built elsewhere in it, or a kept table), which stays as it is.
    void add(const std::filesystem::path& name, const std::filesystem::path& content);

    // The new content of `fresh` (a path add() gave) is complete: its sync starts now, beside
    // the work that follows, and commit() waits for it. Only after the last add(): no other
    // file step runs beside the sync.
    void completed(const std::filesystem::path& fresh);

    // Syncs every new file and renames it over its table. When that fails, the tables already
    // replaced get their old content back (or are removed when they did not exist before) and
    // DataError(Io) is thrown.
    void commit();

private:
    void waitForSyncs();
    void checkNewFilesKept() const;
    std::string registerTable(const std::filesystem::path& name);
    bool replacesOnlyExistingTables() const;
    void putCurrentSetAside();
    void keepSetPutAside() noexcept;
    void renameOne();
    void keepBackups();
    void writeJournal();
    void renameAll();
    void undo() noexcept;
    void removeLeftovers() noexcept;

    std::filesystem::path dir_;
    BuildMark mark_; // no start takes the new files for leftovers
    TableLock lock_;
    CommitJournal journal_;
    struct EarlySync {
        std::filesystem::path file; // a new file whose sync has been started
        std::future<void> done;     // invalid once waited for
    };
    std::vector<EarlySync> syncs_;
    bool journalWritten_ = false; // past the point of no return: the journal owns the files
    std::string setAside_;        // the directory of the set put aside, until it is kept
};

} // namespace mervasto

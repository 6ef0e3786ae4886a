#pragma once

#include "data/TableLock.h"
#include "data/Utf8.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mervasto {

// How a set of new table files replaces the old set all or nothing, whenever the process dies
// and even when the power goes. Each new file is written under a temporary name beside its
// table and synced; then a journal naming every step is written, synced and renamed into
// place: that rename is the moment the new set counts. The new files are then renamed over
// the tables, the directory is synced and the journal removed. Whatever start finds the
// journal carries it out to the end; whatever start finds no journal removes the temporary
// files, and the old set stands.
//
// When a rename fails while the process lives, the journal is turned round in place (Undo)
// and the old files are put back from their backups, a second name that each old table got
// before the journal was written.
//
// A journal that cannot be finished now (a table held open by another program, whose name can
// neither be replaced nor removed) stays for a later start. Meanwhile the tables are still read
// when every table the journal names already holds what its direction puts there: the whole
// new set for Forward, the whole old set for Undo.

// One table of a replacement. All names are file names in the table directory, as UTF-8.
struct CommitStep {
    std::string table;  // the table, as its file is named
    std::string fresh;  // the temporary holding its new content
    std::string backup; // a second name of its old content; empty when it did not exist
};

enum class CommitDirection : char { Forward = 'F', Undo = 'U' };

struct CommitJournal {
    CommitDirection direction = CommitDirection::Forward;
    std::vector<CommitStep> steps;
};

inline constexpr std::string_view JournalName = ".mervasto-commit";
inline constexpr std::string_view JournalHeader = "mervasto table commit\n";
// Where the direction byte stands in the journal, so that it can be turned round in place.
inline constexpr std::uintmax_t JournalDirectionOffset = JournalHeader.size();

std::string journalBytes(const CommitJournal& journal);
// The journal that `bytes` hold; nothing when they are cut short, malformed, or name anything
// but the tables and their temporaries.
std::optional<CommitJournal> parseJournal(std::string_view bytes);

// ".<name>.<number>.tmp": a temporary beside the table or journal called `name`.
std::string temporaryName(std::string_view name, std::uint64_t number);
// Whether `name` is the name of a table (any letter case); of the table `table`.
bool isTableName(std::string_view name);
bool isTableNamed(std::string_view name, std::string_view table);
// Whether `fileName` is a temporary of a table (any letter case) or of the journal.
bool isTemporaryName(std::string_view fileName);
// Whether `fileName` is a directory that a replacement or an update works in while it runs
// (the set being put aside, the tables of an update being built): a leftover once none runs.
bool isTemporaryDirectoryName(std::string_view fileName);

// The name of the directory in which an update builds its tables before they replace the old.
inline constexpr std::string_view UpdateWorkName = ".mervasto-update";

// Carries `journal` out in its direction in `dir`, in two halves. The first puts the tables of
// its direction in place and syncs the directory; the second removes the files the journal
// no longer needs, the journal last. Steps found done are skipped, so that either half can be
// repeated after any interruption. The caller holds the table lock exclusively.
void putJournalInPlace(const std::filesystem::path& dir, const CommitJournal& journal);
void clearJournalAway(const std::filesystem::path& dir, const CommitJournal& journal);
void carryOutJournal(const std::filesystem::path& dir, const CommitJournal& journal);

// Carries out a journal left in `dir` by a replacement that did not end; a journal that does
// not parse is removed. The caller holds the table lock exclusively.
void finishInterruptedCommit(const std::filesystem::path& dir);

// Whether every table of `journal` holds what its direction puts there, so that the tables of
// `dir` form one whole set though the journal is not finished.
bool isJournalInPlace(const std::filesystem::path& dir, const CommitJournal& journal);

// Whether the tables of `dir` form one whole set: no journal is left, or the one left is in
// place. The caller holds the table lock.
bool tablesAreWhole(const std::filesystem::path& dir);

// What a start does when it finds no journal: removes the temporary files unless a build
// holds the lock now. A journal found under the lock (a build that died since the start
// looked) is carried out first, and while one stays no file is removed.
void removeLeftoverTemporaries(const std::filesystem::path& dir);

// What everything that reads the tables does first: finishes an interrupted replacement (and
// waits for one in progress), then removes temporary files unless a build is writing them
// now. A journal that cannot be finished while its tables are whole is left for a later
// start. Throws DataError(Io) when the tables cannot be made whole.
void recoverInterruptedCommit(const std::filesystem::path& dir);

// The table lock held shared over a whole set: a replacement found interrupted is finished
// first. What a search holds while it reads the tables. Throws DataError(Io) when the
// interrupted replacement cannot be finished and its tables are not whole.
TableLock lockWholeTables(const std::filesystem::path& dir);

} // namespace mervasto

#include "data/TableCommit.h"

#include "data/DataError.h"
#include "data/FileOperations.h"
#include "data/PreviousTables.h"
#include "data/TablePaths.h"
#include "data/Utf8.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <system_error>

namespace fs = std::filesystem;

namespace mervasto {

namespace {

constexpr std::string_view TemporarySuffix = ".tmp";
constexpr std::string_view JournalEnd = "end\n";
constexpr std::array TableNames = {TableFile::Records, TableFile::Index, TableFile::Lines,
                                   TableFile::Offices, TableFile::Sources};

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

// The name that `temporary` is a temporary of, if it has the shape ".<name>.<digits>.tmp".
std::optional<std::string_view> temporaryOf(std::string_view temporary) {
    if (temporary.size() < 1 + TemporarySuffix.size() || temporary.front() != '.' ||
        !temporary.ends_with(TemporarySuffix))
        return std::nullopt;
    const std::string_view inner =
        temporary.substr(1, temporary.size() - 1 - TemporarySuffix.size());
    const std::size_t dot = inner.rfind('.');
    if (dot == std::string_view::npos || dot + 1 == inner.size())
        return std::nullopt;
    const std::string_view digits = inner.substr(dot + 1);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return inner.substr(0, dot);
}

std::optional<CommitStep> parseStep(std::string_view line) {
    const std::size_t first = line.find('\t');
    const std::size_t second = line.find('\t', first == std::string_view::npos ? first : first + 1);
    if (second == std::string_view::npos || line.find('\t', second + 1) != std::string_view::npos)
        return std::nullopt;
    CommitStep step{std::string(line.substr(0, first)),
                    std::string(line.substr(first + 1, second - first - 1)),
                    std::string(line.substr(second + 1))};
    const bool valid = isTableName(step.table) && temporaryOf(step.fresh) == step.table &&
                       (step.backup.empty() || temporaryOf(step.backup) == step.table);
    return valid ? std::optional(std::move(step)) : std::nullopt;
}

std::optional<CommitDirection> parseDirection(std::string_view line) {
    if (line == "F")
        return CommitDirection::Forward;
    if (line == "U")
        return CommitDirection::Undo;
    return std::nullopt;
}

bool isPresent(const fs::path& file) {
    std::error_code error;
    return fs::exists(fs::symlink_status(file, error));
}

std::string readJournal(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in.is_open())
        throw DataError(DataError::Kind::Io, "cannot read " + nameText(file));
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // A journal read short would be taken for one cut short, and dropped.
    if (in.bad())
        throw DataError(DataError::Kind::Io, "cannot read " + nameText(file));
    return bytes;
}

void renameForward(const fs::path& dir, const CommitJournal& journal) {
    for (const auto& step : journal.steps) {
        if (isPresent(named(dir, step.fresh)))
            fileOperations().rename(named(dir, step.fresh), named(dir, step.table));
    }
}

bool isSameFile(const fs::path& a, const fs::path& b) {
    std::error_code error;
    return fs::equivalent(a, b, error);
}

bool haveSameBytes(const fs::path& a, const fs::path& b) {
    std::error_code sizeOfA, sizeOfB;
    if (fs::file_size(a, sizeOfA) != fs::file_size(b, sizeOfB) || sizeOfA || sizeOfB)
        return false;
    std::ifstream first(a, std::ios::binary), second(b, std::ios::binary);
    if (!first.is_open() || !second.is_open())
        return false;
    const bool equal = std::equal(std::istreambuf_iterator<char>(first), {},
                                  std::istreambuf_iterator<char>(second), {});
    return equal && !first.bad() && !second.bad();
}

// Whether the table holds the content that its backup keeps: the same file under a second
// name, or where the backup is a copy, the same bytes.
bool holdsBackedUpContent(const fs::path& table, const fs::path& backup) {
    return isSameFile(table, backup) || haveSameBytes(table, backup);
}

// A backup is renamed over its table (or removed once the journal is cleared) only when the
// table holds its old content again.
bool holdsOldContent(const fs::path& dir, const CommitStep& step) {
    const fs::path table = named(dir, step.table);
    if (step.backup.empty())
        return !isPresent(table);
    const fs::path backup = named(dir, step.backup);
    return isPresent(backup) ? holdsBackedUpContent(table, backup) : isPresent(table);
}

// A new file leaves its temporary name only by its rename over the table.
bool holdsNewContent(const fs::path& dir, const CommitStep& step) {
    return !isPresent(named(dir, step.fresh)) && isPresent(named(dir, step.table));
}

// A table that holds its old content already is left alone: it may be held open by the
// program that kept it from being replaced.
void renameBack(const fs::path& dir, const CommitJournal& journal) {
    for (const auto& step : journal.steps) {
        if (step.backup.empty())
            fileOperations().remove(named(dir, step.table));
        else if (isPresent(named(dir, step.backup)) && !holdsOldContent(dir, step))
            fileOperations().rename(named(dir, step.backup), named(dir, step.table));
    }
}

std::vector<fs::path> temporaries(const fs::path& dir) {
    std::vector<fs::path> found;
    std::error_code error;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        const std::string name = nameText(it->path().filename());
        if (isTemporaryName(name) || isTemporaryDirectoryName(name))
            found.push_back(it->path());
    }
    return found;
}

// What cannot be removed now (a file held open by another program) goes at a later start.
void removeIfFree(const fs::path& leftover) {
    try {
        if (isTemporaryDirectoryName(nameText(leftover.filename())))
            fileOperations().removeTree(leftover);
        else
            fileOperations().remove(leftover);
    } catch (const DataError&) {
    }
}

// Carries out the journal left in `dir`; one that cannot be finished now stays while its
// tables are whole. The caller holds the table lock exclusively.
void finishUnlessWhole(const fs::path& dir) {
    try {
        finishInterruptedCommit(dir);
    } catch (const DataError&) {
        if (!tablesAreWhole(dir))
            throw;
    }
}

// Under the exclusive lock: a build may have written its journal and died since the caller
// looked, and what that journal names is carried out, not removed. A build waiting for the
// lock with its new files holds its mark.
void clearLeftoversUnderLock(const fs::path& dir) {
    finishUnlessWhole(dir);
    if (isPresent(dir / JournalName) || BuildMark::isHeld(dir))
        return;
    for (const auto& leftover : temporaries(dir))
        removeIfFree(leftover);
    fileOperations().syncDirectory(dir);
}

} // namespace

std::string journalBytes(const CommitJournal& journal) {
    std::string bytes(JournalHeader);
    bytes += static_cast<char>(journal.direction);
    bytes += '\n';
    for (const auto& step : journal.steps)
        bytes += step.table + '\t' + step.fresh + '\t' + step.backup + '\n';
    bytes += JournalEnd;
    return bytes;
}

std::optional<CommitJournal> parseJournal(std::string_view bytes) {
    if (!bytes.starts_with(JournalHeader) || !bytes.ends_with(JournalEnd))
        return std::nullopt;
    bytes.remove_prefix(JournalHeader.size());
    bytes.remove_suffix(JournalEnd.size());
    CommitJournal journal;
    for (bool first = true; !bytes.empty(); first = false) {
        const std::size_t end = bytes.find('\n');
        if (end == std::string_view::npos)
            return std::nullopt;
        const std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end + 1);
        if (first) {
            const auto direction = parseDirection(line);
            if (!direction)
                return std::nullopt;
            journal.direction = *direction;
        } else if (auto step = parseStep(line)) {
            journal.steps.push_back(std::move(*step));
        } else {
            return std::nullopt;
        }
    }
    if (journal.steps.empty())
        return std::nullopt;
    return journal;
}

std::string temporaryName(std::string_view name, std::uint64_t number) {
    std::string temporary = ".";
    temporary += name;
    temporary += '.';
    temporary += std::to_string(number);
    temporary += TemporarySuffix;
    return temporary;
}

bool isTableName(std::string_view name) {
    return std::any_of(TableNames.begin(), TableNames.end(),
                       [&](std::string_view table) { return isTableNamed(name, table); });
}

bool isTableNamed(std::string_view name, std::string_view table) {
    return equalsIgnoringAsciiCase(name, table);
}

bool isTemporaryName(std::string_view fileName) {
    const auto name = temporaryOf(fileName);
    return name && (isTableName(*name) || *name == JournalName);
}

bool isTemporaryDirectoryName(std::string_view fileName) {
    const auto name = temporaryOf(fileName);
    return name && (*name == PreviousTablesName || *name == UpdateWorkName);
}

void putJournalInPlace(const fs::path& dir, const CommitJournal& journal) {
    if (journal.direction == CommitDirection::Forward)
        renameForward(dir, journal);
    else
        renameBack(dir, journal);
    fileOperations().syncDirectory(dir);
}

void clearJournalAway(const fs::path& dir, const CommitJournal& journal) {
    // Undone, a backup is a second name of the table's content, or was renamed over it.
    for (const auto& step : journal.steps) {
        if (journal.direction == CommitDirection::Undo)
            fileOperations().remove(named(dir, step.fresh));
        if (!step.backup.empty())
            fileOperations().remove(named(dir, step.backup));
    }
    fileOperations().remove(dir / JournalName);
    fileOperations().syncDirectory(dir);
}

void carryOutJournal(const fs::path& dir, const CommitJournal& journal) {
    putJournalInPlace(dir, journal);
    clearJournalAway(dir, journal);
}

void finishInterruptedCommit(const fs::path& dir) {
    const fs::path file = dir / JournalName;
    if (!isPresent(file))
        return;
    if (const auto journal = parseJournal(readJournal(file))) {
        carryOutJournal(dir, *journal);
        return;
    }
    fileOperations().remove(file);
    fileOperations().syncDirectory(dir);
}

bool isJournalInPlace(const fs::path& dir, const CommitJournal& journal) {
    const auto inPlace =
        journal.direction == CommitDirection::Forward ? holdsNewContent : holdsOldContent;
    return std::all_of(journal.steps.begin(), journal.steps.end(),
                       [&](const CommitStep& step) { return inPlace(dir, step); });
}

bool tablesAreWhole(const fs::path& dir) {
    const fs::path file = dir / JournalName;
    if (!isPresent(file))
        return true;
    const auto journal = parseJournal(readJournal(file));
    return journal && isJournalInPlace(dir, *journal);
}

void removeLeftoverTemporaries(const fs::path& dir) {
    if (temporaries(dir).empty())
        return;
    if (const auto lock = TableLock::tryExclusive(dir)) // else a build writes them
        clearLeftoversUnderLock(dir);
}

void recoverInterruptedCommit(const fs::path& dir) {
    if (!isPresent(dir / JournalName)) {
        removeLeftoverTemporaries(dir);
        return;
    }
    const TableLock lock(dir, TableLock::Mode::Exclusive);
    clearLeftoversUnderLock(dir);
}

TableLock lockWholeTables(const fs::path& dir) {
    {
        TableLock lock(dir, TableLock::Mode::Shared);
        // A replacement in progress holds the lock: a journal seen now is one that died.
        if (!isPresent(dir / JournalName))
            return lock;
    }
    recoverInterruptedCommit(dir);
    TableLock lock(dir, TableLock::Mode::Shared);
    if (!tablesAreWhole(dir))
        throw DataError(DataError::Kind::Io,
                        "cannot finish the replacement of the tables in " + nameText(dir));
    return lock;
}

} // namespace mervasto

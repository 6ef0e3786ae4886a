#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace mervasto {

// A lock on the tables of one directory, between processes. Searches hold it shared while
// they read the tables; a build holds it shared while it writes its new files and exclusively
// while it puts them in place; the recovery of an interrupted replacement holds it
// exclusively. So no search sees a set half replaced, and no start-up removes the new files
// of a build that is still running.
//
// On POSIX the lock is flock(2) on the directory itself. On Windows it is a lock file in the
// user's temporary directory, named after the table directory. Where the lock cannot be
// taken at all (a file system without locks), nothing is locked: the directory is then used
// as without this lock. Each lock is a lock of its own, also within one process: code that
// holds one must not replace files in the same directory, or it waits for itself.
class TableLock {
public:
    enum class Mode { Shared, Exclusive };

    // Waits until the lock is held.
    TableLock(const std::filesystem::path& dir, Mode mode);
    // The exclusive lock if no one holds the lock now, without waiting.
    static std::optional<TableLock> tryExclusive(const std::filesystem::path& dir);

    ~TableLock();
    TableLock(TableLock&& other) noexcept;
    TableLock& operator=(TableLock&&) = delete;
    TableLock(const TableLock&) = delete;
    TableLock& operator=(const TableLock&) = delete;

    // From shared to exclusive, waiting for the other holders. Not in one step: the shared
    // lock is given up first, so whatever was checked under it must be checked again.
    void makeExclusive();

private:
    explicit TableLock(std::intptr_t handle) : handle_(handle) {}

    std::intptr_t handle_; // the open lock file or directory; -1 when there is none
};

// Held by a build for as long as it has new files under temporary names in the directory, and
// not given up on the way from the shared table lock to the exclusive one, as that lock is:
// while any build holds its mark, no start takes temporaries for leftovers of a build that
// died. Many builds may hold it at once; it dies with the process.
//
// On POSIX it is an open-file-description read lock (fcntl) on the directory, on Windows a
// shared lock on the second byte of the lock file; both are apart from the table lock. Where
// it cannot be taken, nothing is marked.
class BuildMark {
public:
    explicit BuildMark(const std::filesystem::path& dir);
    ~BuildMark();
    BuildMark(const BuildMark&) = delete;
    BuildMark& operator=(const BuildMark&) = delete;

    // Whether a build holds its mark on `dir` now.
    static bool isHeld(const std::filesystem::path& dir);

private:
    std::intptr_t handle_;
};

} // namespace mervasto

#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace mervasto {

// The steps that change the files of a table directory when tables are replaced or an
// interrupted replacement is recovered. The process may die after any one of them; tests put
// a layer of their own in place (ScopedFileOperations) to count the steps, to check that the
// syncs come where they must, or to stop at any one of them. Every failure throws
// DataError(Io).
class FileOperations {
public:
    virtual ~FileOperations() = default;

    // Creates `file` (or truncates it) holding `bytes`; not synced.
    virtual void createFile(const std::filesystem::path& file, std::string_view bytes) = 0;
    // Writes `bytes` over the file's bytes at `offset`, in place; not synced.
    virtual void overwrite(const std::filesystem::path& file, std::uintmax_t offset,
                           std::string_view bytes) = 0;
    // The file's content is on the disk when this returns.
    virtual void syncFile(const std::filesystem::path& file) = 0;
    // The names in the directory (created, renamed, removed) are on the disk when this returns.
    virtual void syncDirectory(const std::filesystem::path& dir) = 0;
    // Renames `from` over `to` in one step, replacing `to` when it exists.
    virtual void rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    // A second name for the content of `existing`: a hard link, or where the file system has
    // none a synced copy.
    virtual void link(const std::filesystem::path& existing,
                      const std::filesystem::path& alias) = 0;
    // Removes the file; a file that does not exist is no failure.
    virtual void remove(const std::filesystem::path& file) = 0;
    // Creates the directory; its parent exists.
    virtual void createDirectory(const std::filesystem::path& dir) = 0;
    // Removes the directory and everything in it; one that does not exist is no failure.
    virtual void removeTree(const std::filesystem::path& dir) = 0;
};

// The operations in use: the system's, unless a ScopedFileOperations replaces them.
FileOperations& fileOperations();

// Puts `operations` in place of the current ones for its lifetime.
class ScopedFileOperations {
public:
    explicit ScopedFileOperations(FileOperations& operations);
    ~ScopedFileOperations();
    ScopedFileOperations(const ScopedFileOperations&) = delete;
    ScopedFileOperations& operator=(const ScopedFileOperations&) = delete;

private:
    FileOperations* previous_;
};

} // namespace mervasto

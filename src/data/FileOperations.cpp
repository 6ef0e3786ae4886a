#include "data/FileOperations.h"

#include "data/DataError.h"
#include "data/Utf8.h"

#include <fstream>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace mervasto {

namespace {

[[noreturn]] void fail(const std::string& action, const fs::path& file,
                       const std::error_code& error) {
    throw DataError(DataError::Kind::Io,
                    "cannot " + action + " " + nameText(file) + ": " + error.message());
}

// Writes `bytes` and closes the file: the system may report a failed write only then.
template <typename FileStream>
void writeAndClose(FileStream& out, std::string_view bytes, const fs::path& file) {
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        fail("write", file, std::make_error_code(std::errc::io_error));
}

#ifdef _WIN32
std::error_code lastError() {
    return {static_cast<int>(GetLastError()), std::system_category()};
}

void syncWithFlush(const fs::path& file) {
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        fail("sync", file, lastError());
    const bool flushed = FlushFileBuffers(handle) != 0;
    const std::error_code error = flushed ? std::error_code{} : lastError();
    CloseHandle(handle);
    if (!flushed)
        fail("sync", file, error);
}
#else
std::error_code lastError() {
    return {errno, std::generic_category()};
}

// fsync of a descriptor opened with `flags`. A file system that cannot sync a directory
// (EINVAL) has nothing to sync.
void syncWithFsync(const fs::path& path, int flags) {
    const int descriptor = ::open(path.c_str(), flags | O_CLOEXEC);
    if (descriptor < 0)
        fail("sync", path, lastError());
    const bool synced = ::fsync(descriptor) == 0 || errno == EINVAL;
    const std::error_code error = synced ? std::error_code{} : lastError();
    ::close(descriptor);
    if (!synced)
        fail("sync", path, error);
}
#endif

class SystemFileOperations final : public FileOperations {
public:
    void createFile(const fs::path& file, std::string_view bytes) override {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        if (!out.is_open())
            fail("create", file, std::make_error_code(std::errc::io_error));
        writeAndClose(out, bytes, file);
    }

    void overwrite(const fs::path& file, std::uintmax_t offset, std::string_view bytes) override {
        std::fstream out(file, std::ios::binary | std::ios::in | std::ios::out);
        if (!out.is_open())
            fail("open", file, std::make_error_code(std::errc::io_error));
        out.seekp(static_cast<std::streamoff>(offset));
        writeAndClose(out, bytes, file);
    }

    void syncFile(const fs::path& file) override {
#ifdef _WIN32
        syncWithFlush(file);
#else
        syncWithFsync(file, O_RDONLY);
#endif
    }

    // On Windows a rename is written through (see rename) and NTFS logs its directories
    // itself: there is no directory handle to flush.
    void syncDirectory([[maybe_unused]] const fs::path& dir) override {
#ifndef _WIN32
        syncWithFsync(dir, O_RDONLY | O_DIRECTORY);
#endif
    }

    void rename(const fs::path& from, const fs::path& to) override {
#ifdef _WIN32
        if (!MoveFileExW(from.c_str(), to.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            fail("rename", from, lastError());
#else
        if (std::rename(from.c_str(), to.c_str()) != 0)
            fail("rename", from, lastError());
#endif
    }

    void link(const fs::path& existing, const fs::path& alias) override {
        std::error_code error;
        fs::create_hard_link(existing, alias, error);
        if (!error)
            return;
        fs::copy_file(existing, alias, error);
        if (error) {
            std::error_code ignored;
            fs::remove(alias, ignored); // a copy cut short by a full disk
            fail("copy", existing, error);
        }
        syncFile(alias);
    }

    void remove(const fs::path& file) override {
        std::error_code error;
        fs::remove(file, error);
        if (error)
            fail("remove", file, error);
    }

    void createDirectory(const fs::path& dir) override {
        std::error_code error;
        if (!fs::create_directory(dir, error))
            fail("create the directory", dir,
                 error ? error : std::make_error_code(std::errc::file_exists));
    }

    void removeTree(const fs::path& dir) override {
        std::error_code error;
        fs::remove_all(dir, error);
        if (error)
            fail("remove", dir, error);
    }
};

SystemFileOperations systemOperations;
FileOperations* current = &systemOperations;

} // namespace

FileOperations& fileOperations() {
    return *current;
}

ScopedFileOperations::ScopedFileOperations(FileOperations& operations) : previous_(current) {
    current = &operations;
}

ScopedFileOperations::~ScopedFileOperations() {
    current = previous_;
}

} // namespace mervasto

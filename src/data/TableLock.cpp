#include "data/TableLock.h"

#include <functional>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace mervasto {

namespace {

using Handle = std::intptr_t;
constexpr Handle NoHandle = -1;

#ifdef _WIN32
HANDLE native(Handle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// One lock file per table directory, named by a hash of its full path (case folded, as the
// file system folds it).
Handle openLock(const fs::path& dir) {
    std::error_code error;
    std::wstring key = fs::absolute(dir, error).lexically_normal().wstring();
    CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
    const std::wstring name =
        L"mervasto-tables-" + std::to_wstring(std::hash<std::wstring>{}(key)) + L".lock";
    const HANDLE handle =
        CreateFileW((fs::temp_directory_path(error) / name).c_str(), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle == INVALID_HANDLE_VALUE ? NoHandle : reinterpret_cast<Handle>(handle);
}

// The table lock is the lock file's first byte, the build mark its second.
constexpr DWORD TableByte = 0;
constexpr DWORD MarkByte = 1;

bool lockByte(Handle handle, DWORD byte, bool exclusive, bool wait) {
    OVERLAPPED at{};
    at.Offset = byte;
    const DWORD flags =
        (exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0) | (wait ? 0 : LOCKFILE_FAIL_IMMEDIATELY);
    return LockFileEx(native(handle), flags, 0, 1, 0, &at) != 0;
}

void unlockByte(Handle handle, DWORD byte) {
    OVERLAPPED at{};
    at.Offset = byte;
    UnlockFileEx(native(handle), 0, 1, 0, &at);
}

bool lock(Handle handle, bool exclusive, bool wait) {
    return lockByte(handle, TableByte, exclusive, wait);
}

void unlock(Handle handle) {
    unlockByte(handle, TableByte);
}

bool markBuild(Handle handle) {
    return lockByte(handle, MarkByte, false, true);
}

bool isMarked(Handle handle) {
    if (!lockByte(handle, MarkByte, true, false))
        return true;
    unlockByte(handle, MarkByte);
    return false;
}

void closeLock(Handle handle) {
    CloseHandle(native(handle));
}
#else
Handle openLock(const fs::path& dir) {
    return ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

bool lock(Handle handle, bool exclusive, bool wait) {
    const int operation = (exclusive ? LOCK_EX : LOCK_SH) | (wait ? 0 : LOCK_NB);
    int result;
    do
        result = ::flock(static_cast<int>(handle), operation);
    while (result != 0 && errno == EINTR);
    return result == 0;
}

void unlock(Handle handle) {
    ::flock(static_cast<int>(handle), LOCK_UN);
}

// The build mark: a read lock on the directory's first byte, of the open file description, so
// that it conflicts also within one process and is apart from flock.
struct flock firstByte(short type) {
    struct flock range {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    range.l_start = 0;
    range.l_len = 1;
    return range;
}

bool markBuild(Handle handle) {
    struct flock range = firstByte(F_RDLCK);
    int result;
    do
        result = ::fcntl(static_cast<int>(handle), F_OFD_SETLKW, &range);
    while (result != 0 && errno == EINTR);
    return result == 0;
}

bool isMarked(Handle handle) {
    struct flock range = firstByte(F_WRLCK);
    return ::fcntl(static_cast<int>(handle), F_OFD_GETLK, &range) == 0 && range.l_type != F_UNLCK;
}

void closeLock(Handle handle) {
    ::close(static_cast<int>(handle));
}
#endif

} // namespace

TableLock::TableLock(const fs::path& dir, Mode mode) : handle_(openLock(dir)) {
    if (handle_ != NoHandle)
        lock(handle_, mode == Mode::Exclusive, true);
}

std::optional<TableLock> TableLock::tryExclusive(const fs::path& dir) {
    TableLock held(openLock(dir));
    if (held.handle_ != NoHandle && !lock(held.handle_, true, false))
        return std::nullopt;
    return held;
}

TableLock::~TableLock() {
    if (handle_ != NoHandle)
        closeLock(handle_);
}

TableLock::TableLock(TableLock&& other) noexcept : handle_(other.handle_) {
    other.handle_ = NoHandle;
}

BuildMark::BuildMark(const fs::path& dir) : handle_(openLock(dir)) {
    if (handle_ != NoHandle && !markBuild(handle_)) {
        closeLock(handle_);
        handle_ = NoHandle;
    }
}

BuildMark::~BuildMark() {
    if (handle_ != NoHandle)
        closeLock(handle_);
}

bool BuildMark::isHeld(const fs::path& dir) {
    const Handle handle = openLock(dir);
    if (handle == NoHandle)
        return false;
    const bool held = isMarked(handle);
    closeLock(handle);
    return held;
}

void TableLock::makeExclusive() {
    if (handle_ == NoHandle)
        return;
    unlock(handle_);
    lock(handle_, true, true);
}

} // namespace mervasto

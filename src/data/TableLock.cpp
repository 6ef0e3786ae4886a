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

bool lock(Handle handle, bool exclusive, bool wait) {
    OVERLAPPED whole{};
    const DWORD flags =
        (exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0) | (wait ? 0 : LOCKFILE_FAIL_IMMEDIATELY);
    return LockFileEx(native(handle), flags, 0, MAXDWORD, MAXDWORD, &whole) != 0;
}

void unlock(Handle handle) {
    OVERLAPPED whole{};
    UnlockFileEx(native(handle), 0, MAXDWORD, MAXDWORD, &whole);
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

void TableLock::makeExclusive() {
    if (handle_ == NoHandle)
        return;
    unlock(handle_);
    lock(handle_, true, true);
}

} // namespace mervasto

#include "data/OutputPath.h"

#include <optional>
#include <system_error>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace mervasto {

namespace {

#ifdef _WIN32

struct FileIdentity {
    DWORD volume;
    DWORD indexHigh;
    DWORD indexLow;
    bool operator==(const FileIdentity&) const = default;
};

// Opening with no access right is enough to ask for the identity, and is allowed on a file
// that another program has open.
std::optional<FileIdentity> identityOf(const std::filesystem::path& file) {
    const HANDLE handle =
        CreateFileW(file.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = GetFileInformationByHandle(handle, &information) != 0;
    CloseHandle(handle);
    if (!known)
        return std::nullopt;
    return FileIdentity{information.dwVolumeSerialNumber, information.nFileIndexHigh,
                        information.nFileIndexLow};
}

#else

struct FileIdentity {
    dev_t device;
    ino_t inode;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> identityOf(const std::filesystem::path& file) {
    struct stat status {};
    if (stat(file.c_str(), &status) != 0)
        return std::nullopt;
    return FileIdentity{status.st_dev, status.st_ino};
}

#endif

} // namespace

OutputPath classifyOutputPath(const std::filesystem::path& input,
                              const std::filesystem::path& output) {
    const std::optional<FileIdentity> outputIdentity = identityOf(output);
    if (!outputIdentity)
        return OutputPath::New;
    if (outputIdentity == identityOf(input))
        return OutputPath::Input;
    std::error_code error;
    return std::filesystem::is_regular_file(output, error) ? OutputPath::Existing
                                                           : OutputPath::Device;
}

} // namespace mervasto

#include "SmallFileSystem.h"

#include <cerrno>
#include <cstring>
#include <sys/mount.h>

namespace mervasto::test {

std::unique_ptr<SmallFileSystem> SmallFileSystem::mount(const std::filesystem::path& at,
                                                        const std::string& options,
                                                        std::string& whyNot) {
    std::filesystem::create_directories(at);
    if (::mount("mervasto-test", at.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
        whyNot = "cannot mount a tmpfs (" + options + ") here: " + std::strerror(errno) +
                 " (mounting needs root)";
        return nullptr;
    }
    return std::unique_ptr<SmallFileSystem>(new SmallFileSystem(at));
}

SmallFileSystem::~SmallFileSystem() {
    ::umount2(path_.c_str(), MNT_DETACH);
}

bool SmallFileSystem::makeReadOnly() {
    return ::mount(nullptr, path_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV,
                   nullptr) == 0;
}

} // namespace mervasto::test

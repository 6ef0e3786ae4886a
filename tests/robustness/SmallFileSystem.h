#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace mervasto::test {

// A memory file system of a fixed size mounted on an empty directory, for a disk that fills
// up or turns read-only under a build. Mounting needs root (or the right to mount); where it
// is refused, mount() returns nothing and says why in `whyNot`.
class SmallFileSystem {
public:
    static std::unique_ptr<SmallFileSystem> mount(const std::filesystem::path& at,
                                                  const std::string& options, std::string& whyNot);
    ~SmallFileSystem();
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Makes the file system read-only for every user, root included.
    bool makeReadOnly();

private:
    explicit SmallFileSystem(std::filesystem::path path) : path_(std::move(path)) {}

    std::filesystem::path path_;
};

} // namespace mervasto::test

#pragma once

#include "data/FileOperations.h"

#include <filesystem>
#include <string>
#include <vector>

namespace mervasto::test {

// The system's file operations with some files held open by another program, as a spreadsheet
// or a virus scanner holds them on Windows: whatever would rename, replace, remove or write a
// held file (under any of its names) fails with DataError(Io). A file is held from the start,
// or from the moment something is renamed over its name.
class HeldFileOperations : public FileOperations {
public:
    HeldFileOperations(std::vector<std::filesystem::path> held,
                       std::vector<std::filesystem::path> heldOnceReplaced = {});

    void createFile(const std::filesystem::path& file, std::string_view bytes) override;
    void overwrite(const std::filesystem::path& file, std::uintmax_t offset,
                   std::string_view bytes) override;
    void syncFile(const std::filesystem::path& file) override;
    void syncDirectory(const std::filesystem::path& dir) override;
    void rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
    void link(const std::filesystem::path& existing, const std::filesystem::path& alias) override;
    void remove(const std::filesystem::path& file) override;
    void createDirectory(const std::filesystem::path& dir) override;
    void removeTree(const std::filesystem::path& dir) override;

private:
    void refuseIfHeld(const std::filesystem::path& file, const std::string& operation) const;

    FileOperations& system_;
    std::vector<std::filesystem::path> held_;
    std::vector<std::filesystem::path> heldOnceReplaced_;
};

} // namespace mervasto::test

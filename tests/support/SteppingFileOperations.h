#pragma once

#include "data/FileOperations.h"

#include <functional>
#include <string>
#include <vector>

namespace mervasto::test {

// The system's file operations, one step at a time: each step is logged as "<operation>
// <file name>" (a temporary's number replaced by "#"), and at step `stopAt` (counted from 1)
// `onStop` runs instead of the step (it throws, or ends the process). Used to stop a build at
// every step in turn and to check the order of the steps.
class SteppingFileOperations : public FileOperations {
public:
    using StopAction = std::function<void(const std::string& step)>;

    explicit SteppingFileOperations(int stopAt = 0, StopAction onStop = {});

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

    const std::vector<std::string>& steps() const { return steps_; }

private:
    void step(const std::string& operation, const std::filesystem::path& file);

protected:
    bool stopped_ = false; // step `stopAt` has been reached

private:
    FileOperations& system_;
    int stopAt_;
    StopAction onStop_;
    std::vector<std::string> steps_;
};

// The process dies here: this step and every later one do nothing and throw this.
struct ProcessDied {};

// Stops as a dying process would: from step `stopAt` on, nothing reaches the disk and every
// step throws ProcessDied.
class DyingFileOperations : public SteppingFileOperations {
public:
    explicit DyingFileOperations(int stopAt);
};

// Fails step `failAt` alone with DataError(Io), as a refusing file system would.
class FailingFileOperations : public SteppingFileOperations {
public:
    explicit FailingFileOperations(int failAt);
};

} // namespace mervasto::test

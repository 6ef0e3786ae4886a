#include "SteppingFileOperations.h"

#include "data/DataError.h"

#include <regex>

namespace fs = std::filesystem;

namespace mervasto::test {

namespace {

std::string shownName(const fs::path& file) {
    static const std::regex number(R"(\.[0-9]+\.tmp$)");
    return std::regex_replace(file.filename().string(), number, ".#.tmp");
}

} // namespace

SteppingFileOperations::SteppingFileOperations(int stopAt, StopAction onStop)
    : system_(fileOperations()), stopAt_(stopAt), onStop_(std::move(onStop)) {}

void SteppingFileOperations::step(const std::string& operation, const fs::path& file) {
    steps_.push_back(operation + " " + shownName(file));
    if (stopped_ || static_cast<int>(steps_.size()) == stopAt_) {
        onStop_(steps_.back());
    }
}

void SteppingFileOperations::createFile(const fs::path& file, std::string_view bytes) {
    step("create", file);
    system_.createFile(file, bytes);
}

void SteppingFileOperations::overwrite(const fs::path& file, std::uintmax_t offset,
                                       std::string_view bytes) {
    step("overwrite", file);
    system_.overwrite(file, offset, bytes);
}

void SteppingFileOperations::syncFile(const fs::path& file) {
    step("sync", file);
    system_.syncFile(file);
}

void SteppingFileOperations::syncDirectory(const fs::path& dir) {
    step("syncdir", dir);
    system_.syncDirectory(dir);
}

void SteppingFileOperations::rename(const fs::path& from, const fs::path& to) {
    step("rename", from);
    system_.rename(from, to);
}

void SteppingFileOperations::link(const fs::path& existing, const fs::path& alias) {
    step("link", alias);
    system_.link(existing, alias);
}

void SteppingFileOperations::remove(const fs::path& file) {
    step("remove", file);
    system_.remove(file);
}

void SteppingFileOperations::createDirectory(const fs::path& dir) {
    step("mkdir", dir);
    system_.createDirectory(dir);
}

void SteppingFileOperations::removeTree(const fs::path& dir) {
    step("rmtree", dir);
    system_.removeTree(dir);
}

DyingFileOperations::DyingFileOperations(int stopAt)
    : SteppingFileOperations(stopAt, [this](const std::string&) {
          stopped_ = true;
          throw ProcessDied{};
      }) {}

FailingFileOperations::FailingFileOperations(int failAt)
    : SteppingFileOperations(failAt, [](const std::string& step) {
          throw DataError(DataError::Kind::Io, "refused: " + step);
      }) {}

} // namespace mervasto::test

#include "HeldFileOperations.h"

#include "data/DataError.h"

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

namespace mervasto::test {

HeldFileOperations::HeldFileOperations(std::vector<fs::path> held,
                                       std::vector<fs::path> heldOnceReplaced)
    : system_(fileOperations()), held_(std::move(held)),
      heldOnceReplaced_(std::move(heldOnceReplaced)) {}

void HeldFileOperations::refuseIfHeld(const fs::path& file, const std::string& operation) const {
    const bool isHeld = std::any_of(held_.begin(), held_.end(), [&](const fs::path& heldFile) {
        std::error_code error;
        return fs::equivalent(file, heldFile, error);
    });
    if (isHeld)
        throw DataError(DataError::Kind::Io, "cannot " + operation + " " +
                                                 file.filename().string() +
                                                 ": the file is in use by another process");
}

void HeldFileOperations::createFile(const fs::path& file, std::string_view bytes) {
    refuseIfHeld(file, "create");
    system_.createFile(file, bytes);
}

void HeldFileOperations::overwrite(const fs::path& file, std::uintmax_t offset,
                                   std::string_view bytes) {
    refuseIfHeld(file, "write");
    system_.overwrite(file, offset, bytes);
}

void HeldFileOperations::syncFile(const fs::path& file) {
    system_.syncFile(file);
}

void HeldFileOperations::syncDirectory(const fs::path& dir) {
    system_.syncDirectory(dir);
}

void HeldFileOperations::rename(const fs::path& from, const fs::path& to) {
    refuseIfHeld(from, "rename");
    refuseIfHeld(to, "replace");
    system_.rename(from, to);
    const auto replaced =
        std::find_if(heldOnceReplaced_.begin(), heldOnceReplaced_.end(), [&](const fs::path& file) {
            std::error_code error;
            return fs::equivalent(file, to, error);
        });
    if (replaced != heldOnceReplaced_.end()) {
        held_.push_back(to);
        heldOnceReplaced_.erase(replaced);
    }
}

void HeldFileOperations::link(const fs::path& existing, const fs::path& alias) {
    system_.link(existing, alias);
}

void HeldFileOperations::remove(const fs::path& file) {
    refuseIfHeld(file, "remove");
    system_.remove(file);
}

void HeldFileOperations::createDirectory(const fs::path& dir) {
    system_.createDirectory(dir);
}

void HeldFileOperations::removeTree(const fs::path& dir) {
    system_.removeTree(dir);
}

} // namespace mervasto::test

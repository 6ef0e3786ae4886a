#pragma once

#include <cstdint>
#include <filesystem>
#include <istream>
#include <optional>
#include <string>

namespace mervasto {

// Every byte of `in` up to its end. Throws DataError(Io) when a read fails, or when the
// stream ends before `expectedSize` bytes (a file that shrank or a short read): a caller
// never works on part of a file believing it whole.
std::string readAllBytes(std::istream& in, std::optional<std::uintmax_t> expectedSize);

// The whole of a file; a regular file must deliver the size it had when opened. Throws
// DataError(FileNotFound) when it cannot be opened, DataError(Io) as readAllBytes.
std::string readWholeFile(const std::filesystem::path& file);

} // namespace mervasto

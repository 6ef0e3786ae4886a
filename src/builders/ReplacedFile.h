#pragma once

#include <filesystem>
#include <string_view>

namespace mervasto {

// Writes `bytes` as the new content of `target`: under a temporary name beside it, renamed
// over it once complete. On failure DataError(Io) is thrown, `target` is as it was and no
// temporary file is left.
void writeReplacing(const std::filesystem::path& target, std::string_view bytes);

// Writes an output file the user named: a regular file (or a new one) as writeReplacing does,
// anything else that exists (a device such as /dev/null) straight into it. Throws
// DataError(Io) when not every byte could be written; a regular file is then as it was.
void writeOutputFile(const std::filesystem::path& target, std::string_view bytes);

} // namespace mervasto

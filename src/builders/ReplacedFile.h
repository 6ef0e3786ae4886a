#pragma once

#include <filesystem>
#include <string_view>

namespace mervasto {

// Writes `bytes` as the new content of `target`: under a temporary name beside it, renamed
// over it once complete. On failure DataError(Io) is thrown, `target` is as it was and no
// temporary file is left.
void writeReplacing(const std::filesystem::path& target, std::string_view bytes);

} // namespace mervasto

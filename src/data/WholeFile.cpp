#include "data/WholeFile.h"

#include "data/DataError.h"

#include <array>
#include <fstream>
#include <system_error>

namespace mervasto {

std::string readAllBytes(std::istream& in, std::optional<std::uintmax_t> expectedSize) {
    std::string bytes;
    if (expectedSize)
        bytes.reserve(static_cast<std::size_t>(*expectedSize));
    std::array<char, 65536> buffer{};
    while (in.read(buffer.data(), buffer.size()) || in.gcount() > 0)
        bytes.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        throw DataError(DataError::Kind::Io, "read error");
    if (expectedSize && bytes.size() < *expectedSize)
        throw DataError(DataError::Kind::Io, "the file ended before its size (" +
                                                 std::to_string(bytes.size()) + " of " +
                                                 std::to_string(*expectedSize) + " bytes)");
    return bytes;
}

std::string readWholeFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw DataError(DataError::Kind::FileNotFound, "cannot open the file");
    std::error_code error;
    const bool regular = std::filesystem::is_regular_file(file, error);
    const std::uintmax_t size = regular ? std::filesystem::file_size(file, error) : 0;
    if (error)
        throw DataError(DataError::Kind::Io, error.message());
    return readAllBytes(in, regular ? std::optional(size) : std::nullopt);
}

} // namespace mervasto

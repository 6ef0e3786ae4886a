#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace mervasto::test {

struct ZipMember {
    std::string name;
    std::string content;
};

enum class ZipMethod { Stored, Deflated };

// Writes a zip archive of `members`, as the operator's archives are (one CSV, deflated) or as
// a test needs them. The same bytes on every platform.
void writeZip(const std::filesystem::path& zip, const std::vector<ZipMember>& members,
              ZipMethod method = ZipMethod::Deflated);

// Sets the uncompressed size that the first entry's headers (local and central) declare.
void patchDeclaredSize(const std::filesystem::path& zip, std::uint32_t size);

} // namespace mervasto::test

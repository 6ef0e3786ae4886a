#pragma once

#include "data/LocalDateTime.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace mervasto::test {

struct ZipMember {
    std::string name;
    std::string content;
    LocalDateTime date{1980, 1, 1, 0, 0, 0}; // the entry's date, as the archive records it
};

enum class ZipMethod { Stored, Deflated };

// Writes a zip archive of `members`, as the operator's archives are (one CSV, deflated) or as
// a test needs them. The same bytes on every platform.
void writeZip(const std::filesystem::path& zip, const std::vector<ZipMember>& members,
              ZipMethod method = ZipMethod::Deflated);

// Sets the uncompressed size that the first entry's headers (local and central) declare.
void patchDeclaredSize(const std::filesystem::path& zip, std::uint32_t size);

// A carried ken_all.zip and jigyosyo.zip in `dir`, as an installation has them beside its
// program, both dated `date`: the national archive holds 100-0005 東京都千代田区丸の内, the
// offices' one 100-8994 東京中央郵便局.
void writeCarriedData(const std::filesystem::path& dir, const LocalDateTime& date);

} // namespace mervasto::test

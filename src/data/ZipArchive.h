#pragma once

#include "data/LargePages.h"
#include "data/LocalDateTime.h"

#include <cstdint>
#include <istream>
#include <string>
#include <string_view>

namespace mervasto {

// Whether `head`, the first bytes of a file, begin as a zip archive does.
bool startsLikeZip(std::string_view head);

// The whole content of the one CSV entry (name ending in ".csv", any case) of the zip archive
// in `archive`. Other entries are ignored. Throws DataError(WrongInput) when the archive
// cannot be read, holds no CSV entry or more than one, when the entry is larger than
// `sizeLimit` (refused from its header, before anything is inflated), or when its data is
// damaged.
LargeBytes readCsvEntry(std::istream& archive, std::uint64_t sizeLimit);

// The date of that entry, as the archive records it (the local time it was packed). Throws
// as readCsvEntry does, without inflating anything.
LocalDateTime csvEntryDate(std::istream& archive);

} // namespace mervasto

#pragma once

#include "data/Filest.h"

#include <filesystem>

namespace mervasto {

// Start-up's loading of ZIPID1.txt from `dataDir` into `table`: Count is set to 0, then
// entries of three items (text, text, whole number) are read into slots 0, 1, 2, ... until the
// end of the file, each counted. The end of the file is tested only before an entry.
//
// Returns true when the whole file was read. Returns false when the file is missing or
// unreadable, ends inside an entry, or holds a 32768th entry (whose items stay in slot 32767
// uncounted); the entries loaded before the failure stay loaded and counted.
bool loadIndexTable(const std::filesystem::path& dataDir, IndexTable& table);

} // namespace mervasto

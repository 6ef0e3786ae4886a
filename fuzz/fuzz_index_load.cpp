// Start-up's loading of ZIPID1.txt from arbitrary bytes.

#include "FuzzSupport.h"
#include "data/Filest.h"
#include "data/IndexLoader.h"

#include <limits>

using namespace mervasto;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto dir = fuzz::freshDirectory("index");
    // Allocated once, as the program does; entries of earlier inputs stay in the slots
    // beyond Count, as they would after a reload.
    static IndexTable table;
    fuzz::writeFile(dir / "ZIPID1.txt", fuzz::asBytes(data, size));
    loadIndexTable(dir, table);
    fuzz::require(table.Count >= 0, "a negative entry count");
    fuzz::require(table.Key.size() == IndexTable::Slots && table.City.size() == IndexTable::Slots &&
                      table.FirstRecord.size() == IndexTable::Slots,
                  "the index columns changed size");
    return 0;
}

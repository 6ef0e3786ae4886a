#pragma once

#include "data/LargePages.h"

#include <cstdint>
#include <string>
#include <vector>

namespace mervasto {

// The in-memory copy of ZIPID1.txt. Each column is a fixed array of 50001 slots (0 to 50000),
// allocated once and never resized. Entries occupy slots 0 to Count - 1 in file order; the
// last entry in use is the closing entry (empty key and city, first record = record count + 1).
// Count is a 16-bit count: it cannot pass 32767.
struct IndexTable {
    static constexpr int Slots = 50001;

    // Each program that searches makes one at its start: its 100,002 strings are placed in
    // huge pages where the system offers them.
    template <typename T> using Column = std::vector<T, LargePageAllocator<T>>;

    Column<std::u16string> Key = Column<std::u16string>(Slots);
    Column<std::u16string> City = Column<std::u16string>(Slots);
    Column<std::int32_t> FirstRecord = Column<std::int32_t>(Slots, 0);
    std::int16_t Count = 0;

    // Throws DataError(OutOfRange) for a slot outside 0..50000.
    static void checkSlot(int slot);
    // Count + 1; throws DataError(Overflow) past 32767 and leaves Count unchanged.
    void incrementCount();
};

// The state that outlives a handler and is shared by the windows: the index that start-up
// loads, the national builder refills and the address search reads. The other working values
// of a search or a build live in the code that uses them.
struct Filest {
    IndexTable indexTable;
};

} // namespace mervasto

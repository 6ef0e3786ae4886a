#include "Filest.h"

#include "DataError.h"

#include <limits>
#include <string>

namespace mervasto {

void IndexTable::checkSlot(int slot) {
    if (slot < 0 || slot >= Slots)
        throw DataError(DataError::Kind::OutOfRange,
                        "index slot " + std::to_string(slot) + " is out of range");
}

void IndexTable::incrementCount() {
    if (Count == std::numeric_limits<std::int16_t>::max())
        throw DataError(DataError::Kind::Overflow, "index entry count overflow");
    ++Count;
}

} // namespace mervasto

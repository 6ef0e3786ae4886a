#include "data/Filest.h"

#include "data/DataError.h"
#include "data/Int16.h"

#include <string>

namespace mervasto {

void IndexTable::checkSlot(int slot) {
    if (slot < 0 || slot >= Slots)
        throw DataError(DataError::Kind::OutOfRange,
                        "index slot " + std::to_string(slot) + " is out of range");
}

void IndexTable::incrementCount() {
    incrementInt16(Count, "the number of index entries");
}

} // namespace mervasto

#pragma once

#include "data/DataError.h"

#include <cstdint>
#include <limits>
#include <string>

namespace mervasto {

// Adds 1 to a 16-bit counter; leaving its range is an overflow failure and leaves it unchanged.
inline void incrementCounter(std::int16_t& counter, const char* what) {
    if (counter == std::numeric_limits<std::int16_t>::max())
        throw DataError(DataError::Kind::Overflow,
                        std::string(what) + " passed 32767 (16-bit counter overflow)");
    ++counter;
}

} // namespace mervasto

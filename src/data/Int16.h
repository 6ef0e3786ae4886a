#pragma once

#include "data/DataError.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

namespace mervasto {

// Counters, positions and list counts are 16-bit: leaving that range is an overflow failure.

[[noreturn]] inline void throwInt16Overflow(const char* what) {
    throw DataError(DataError::Kind::Overflow,
                    std::string(what) + " passed 32767 (16-bit overflow)");
}

// `value` as a 16-bit number; throws DataError(Overflow) past 32767.
inline std::int16_t checkedInt16(std::size_t value, const char* what) {
    if (value > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max()))
        throwInt16Overflow(what);
    return static_cast<std::int16_t>(value);
}

// Adds 1 to a 16-bit counter; throws DataError(Overflow) past 32767 and leaves it unchanged.
inline void incrementInt16(std::int16_t& counter, const char* what) {
    if (counter == std::numeric_limits<std::int16_t>::max())
        throwInt16Overflow(what);
    ++counter;
}

} // namespace mervasto

#pragma once

#include <cstddef>
#include <string_view>

namespace mervasto {

// "A occurs in B": the 1-based position of the first occurrence of `a` in `b`, comparing
// UTF-16 code units exactly, or 0. An empty `a` occurs at position 1 of every non-empty `b`;
// nothing occurs in an empty `b`.
std::size_t occursAt(std::u16string_view a, std::u16string_view b);

} // namespace mervasto

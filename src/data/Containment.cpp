#include "data/Containment.h"

namespace mervasto {

std::size_t occursAt(std::u16string_view a, std::u16string_view b) {
    if (b.empty())
        return 0;
    const std::size_t found = b.find(a);
    return found == std::u16string_view::npos ? 0 : found + 1;
}

} // namespace mervasto

#include "search/CityNameLookup.h"

#include "data/Containment.h"

#include <algorithm>
#include <limits>

namespace mervasto {

namespace {

std::uint32_t pairAt(std::u16string_view text, std::size_t at) {
    return (std::uint32_t{text[at]} << 16) | text[at + 1];
}

} // namespace

CityNameLookup::CityNameLookup(const IndexTable::Column<std::u16string>& names, int count)
    : names_(names) {
    for (int entry = 0; entry < count; ++entry) {
        if (names[entry].size() < 2)
            shortEntries_.push_back(entry);
        else
            entriesByPair_[pairAt(names[entry], 0)].push_back(entry);
    }
}

std::optional<int> CityNameLookup::firstIn(std::u16string_view key) const {
    int first = std::numeric_limits<int>::max();
    for (const int entry : shortEntries_) {
        if (occursAt(names_[entry], key) != 0) {
            first = entry;
            break;
        }
    }
    for (std::size_t at = 0; at + 1 < key.size(); ++at) {
        const auto entries = entriesByPair_.find(pairAt(key, at));
        if (entries == entriesByPair_.end())
            continue;
        for (const int entry : entries->second) {
            if (entry >= first)
                break;
            if (key.substr(at).starts_with(names_[entry])) {
                first = entry;
                break;
            }
        }
    }
    if (first == std::numeric_limits<int>::max())
        return std::nullopt;
    return first;
}

} // namespace mervasto

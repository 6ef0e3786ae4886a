#pragma once

#include "data/Filest.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mervasto {

// The city lookup of the address search over one column of the index, for many keys: the
// first entry, in index order, whose name occurs in the key. Names are found through their
// first two characters, so that a key is compared only with the names that can occur in it.
class CityNameLookup {
public:
    // `names` is used, not copied: it must outlive this object.
    CityNameLookup(const IndexTable::Column<std::u16string>& names, int count);

    // The entry, or none when no name occurs in `key` (an index without its closing entry).
    std::optional<int> firstIn(std::u16string_view key) const;

private:
    const IndexTable::Column<std::u16string>& names_;
    std::unordered_map<std::uint32_t, std::vector<int>> entriesByPair_; // each in index order
    std::vector<int> shortEntries_; // names of less than two characters, tried against every key
};

} // namespace mervasto

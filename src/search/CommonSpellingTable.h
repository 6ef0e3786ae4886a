#pragma once

#include "data/Filest.h"
#include "search/RecordTable.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mervasto {

// A town of the national tables that an address names, found with both in their common
// spelling (see commonSpelling).
struct SpellingMatch {
    std::u16string code;    // "NNN-NNNN"; empty when no single town was found
    bool sure = false;      // nothing in the address suggests another town of the same city
    bool corrected = false; // the city and town, as the tables write them, are not in the address
};

// The towns of ZIPCODE.TXT in their common spelling, city by city as the index groups them,
// for finding the town an address names however it spells the usual variants.
class CommonSpellingTable {
public:
    // Takes every record of `records` (read, or their reading error is raised); `index` gives
    // the cities.
    CommonSpellingTable(RecordTable& records, const IndexTable& index);

    // The town that follows a prefecture and city of the index in `address` or, when the
    // address names none, a city name of the index. Towns that begin another one found are one
    // town, the shortest, and not a sure one; towns of different codes give no match.
    SpellingMatch find(std::u16string_view address) const;

private:
    struct Town {
        std::u16string common;          // the town's name alone
        std::u16string writtenFromCity; // city and town as the tables write them
        std::u16string code;
    };
    struct City {
        std::u16string commonKey;  // prefecture and city
        std::u16string commonName; // city
        std::vector<Town> towns;
    };
    struct Hit {
        const City* city;
        const Town* town;
        std::u16string rest; // what follows the town in the address
    };
    using CityNumbers = std::unordered_map<std::uint32_t, std::vector<std::size_t>>;

    std::vector<Hit> hits(std::u16string_view key, const CityNumbers& byPair, bool byName) const;
    static bool doubtful(const Hit& hit);

    std::vector<City> cities_;
    CityNumbers citiesByKeyPair_;  // by the first two characters of their prefecture and city
    CityNumbers citiesByNamePair_; // by the first two characters of their name
};

} // namespace mervasto

#pragma once

#include "data/Filest.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace mervasto {

// A town of the national tables that an address names, found with both in their common
// spelling (see commonSpelling).
struct SpellingMatch {
    std::u16string code;    // "NNN-NNNN"; empty when no single town was found
    bool sure = false;      // nothing in the address suggests a longer town name of the same city
    bool corrected = false; // the town's name, as the tables write it, is not in the address
};

// The towns of ZIPCODE.TXT in their common spelling, city by city as the index groups them,
// for finding the town an address names however it spells the usual variants.
class CommonSpellingTable {
public:
    // Reads every record of `recordFile`; `index` gives the cities.
    CommonSpellingTable(const std::filesystem::path& recordFile, const IndexTable& index);

    // The one town whose whole name occurs in `address`: with the prefecture when the address
    // names a prefecture and city of the index, otherwise from the city on, among every city of
    // that name. A town contained in another one found is not counted; several towns with
    // different codes give no match.
    SpellingMatch find(std::u16string_view address) const;

private:
    struct Town {
        std::u16string common;         // prefecture, city and town
        std::u16string commonFromCity; // city and town
        std::u16string written;        // as the tables write it (compared part)
        std::u16string writtenFromCity;
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
        std::size_t begin;
        std::size_t end;
    };

    std::vector<Hit> hits(std::u16string_view key, bool fromCity) const;
    static bool doubtful(const Hit& hit, std::u16string_view key, bool fromCity);

    std::vector<City> cities_;
};

} // namespace mervasto

#include "search/CommonSpellingTable.h"

#include "search/SpellingVariants.h"

#include <algorithm>
#include <array>

namespace mervasto {

namespace {

// Numbers before these name a part of a town (北29条西, 東3線, 5番町), not a block.
constexpr std::array<std::u16string_view, 4> TownCounters = {u"条", u"線", u"番町", u"地割"};

bool startsWithTownNumber(std::u16string_view rest) {
    const std::size_t digits = std::min(rest.find_first_not_of(u"0123456789"), rest.size());
    return digits > 0 &&
           std::any_of(TownCounters.begin(), TownCounters.end(), [&](std::u16string_view counter) {
               return rest.substr(digits).starts_with(counter);
           });
}

std::uint32_t pairAt(std::u16string_view text, std::size_t at) {
    return std::uint32_t{text[at]} << 16 | text[at + 1];
}

void addByPair(std::unordered_map<std::uint32_t, std::vector<std::size_t>>& byPair,
               std::u16string_view name, std::size_t city) {
    if (name.size() >= 2)
        byPair[pairAt(name, 0)].push_back(city);
}

} // namespace

CommonSpellingTable::CommonSpellingTable(RecordTable& records, const IndexTable& index) {
    records.requireOpened();
    for (int entry = 0; entry + 1 < index.Count; ++entry) {
        const std::u16string& key = index.Key[entry];
        const std::u16string& name = index.City[entry];
        City city{commonSpelling(key), commonSpelling(name), {}};
        const std::int32_t last = std::min(index.FirstRecord[entry + 1] - 1, records.recordCount());
        for (std::int32_t number = std::max(index.FirstRecord[entry], 1); number <= last;
             ++number) {
            const TableRecord& record = records.record(number);
            const std::u16string_view written = record.compared();
            if (!written.starts_with(key) || key.size() < name.size())
                continue;
            const std::u16string_view town = written.substr(key.size());
            city.towns.push_back({commonSpelling(town), name + std::u16string(town), record.code});
        }
        addByPair(citiesByKeyPair_, city.commonKey, cities_.size());
        addByPair(citiesByNamePair_, city.commonName, cities_.size());
        cities_.push_back(std::move(city));
    }
}

SpellingMatch CommonSpellingTable::find(std::u16string_view address) const {
    const std::u16string key = commonSpelling(address);
    std::vector<Hit> found = hits(key, citiesByKeyPair_, false);
    if (found.empty())
        found = hits(key, citiesByNamePair_, true);
    if (found.empty())
        return {};
    const auto shortest =
        std::min_element(found.begin(), found.end(), [](const Hit& a, const Hit& b) {
            return a.town->common.size() < b.town->common.size();
        });
    const bool oneTown = std::all_of(found.begin(), found.end(), [&](const Hit& hit) {
        return hit.town->code == shortest->town->code;
    });
    const bool nested = std::all_of(found.begin(), found.end(), [&](const Hit& hit) {
        return hit.city == shortest->city && hit.town->common.starts_with(shortest->town->common);
    });
    if (!oneTown && !nested)
        return {};
    return {shortest->town->code, oneTown && !doubtful(*shortest),
            address.find(shortest->town->writtenFromCity) == std::u16string_view::npos};
}

// The towns that follow, in `key`, a city name found through `byPair` (the prefecture and city,
// or the city's name when `byName`).
std::vector<CommonSpellingTable::Hit>
CommonSpellingTable::hits(std::u16string_view key, const CityNumbers& byPair, bool byName) const {
    std::vector<Hit> found;
    for (std::size_t at = 0; at + 1 < key.size(); ++at) {
        const auto cities = byPair.find(pairAt(key, at));
        if (cities == byPair.end())
            continue;
        for (const std::size_t number : cities->second) {
            const City& city = cities_[number];
            const std::u16string& name = byName ? city.commonName : city.commonKey;
            if (!key.substr(at).starts_with(name))
                continue;
            const std::u16string rest = commonSpelling(key.substr(at + name.size()));
            for (const Town& town : city.towns)
                if (!town.common.empty() && rest.starts_with(town.common))
                    found.push_back(
                        {&city, &town,
                         commonSpelling(std::u16string_view(rest).substr(town.common.size()))});
        }
    }
    return found;
}

// A town is doubtful when what follows it may continue its name: the number of a town part
// (1条, 3線), or the next character of a longer town of the same city.
bool CommonSpellingTable::doubtful(const Hit& hit) {
    const std::u16string_view rest = hit.rest;
    if (rest.empty())
        return false;
    if (startsWithTownNumber(rest))
        return true;
    const std::u16string& name = hit.town->common;
    return std::any_of(hit.city->towns.begin(), hit.city->towns.end(), [&](const Town& town) {
        return town.common.size() > name.size() && town.common.starts_with(name) &&
               town.common[name.size()] == rest.front();
    });
}

} // namespace mervasto

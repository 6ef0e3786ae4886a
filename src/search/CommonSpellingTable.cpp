#include "search/CommonSpellingTable.h"

#include "data/PostalCode.h"
#include "data/RecordFile.h"
#include "search/SearchMatch.h"
#include "search/SpellingVariants.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>

namespace mervasto {

namespace {

// Numbers before these name a part of a town (北29条西, 東3線, 五番町), not a block.
constexpr std::array<std::u16string_view, 4> TownCounters = {u"条", u"線", u"番町", u"地割"};

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

bool startsWithTownNumber(std::u16string_view rest) {
    std::size_t digits = 0;
    while (digits < rest.size() && isDigit(rest[digits]))
        ++digits;
    return digits > 0 &&
           std::any_of(TownCounters.begin(), TownCounters.end(), [&](std::u16string_view counter) {
               return rest.substr(digits).starts_with(counter);
           });
}

std::u16string_view fromCity(std::u16string_view address, std::u16string_view key,
                             std::u16string_view city) {
    if (!address.starts_with(key) || key.size() < city.size())
        return {};
    return address.substr(key.size() - city.size());
}

} // namespace

CommonSpellingTable::CommonSpellingTable(const std::filesystem::path& recordFile,
                                         const IndexTable& index) {
    RecordFileReader records(recordFile);
    for (int entry = 0; entry + 1 < index.Count; ++entry) {
        City city{commonSpelling(index.Key[entry]), commonSpelling(index.City[entry]), {}};
        for (std::int32_t number = std::max(index.FirstRecord[entry], 1);
             number < index.FirstRecord[entry + 1]; ++number) {
            const std::optional<ZipRecord> record = records.read(number);
            if (!record)
                continue;
            const std::u16string_view written = comparedAddress(record->Address);
            const std::u16string_view writtenFromCity =
                fromCity(written, index.Key[entry], index.City[entry]);
            city.towns.push_back({commonSpelling(written), commonSpelling(writtenFromCity),
                                  std::u16string(written), std::u16string(writtenFromCity),
                                  hyphenatedCode(record->Code.substr(0, 7))});
        }
        cities_.push_back(std::move(city));
    }
}

SpellingMatch CommonSpellingTable::find(std::u16string_view address) const {
    const std::u16string key = commonSpelling(address);
    bool byCityName = false;
    std::vector<Hit> found = hits(key, false);
    if (found.empty()) {
        byCityName = true;
        found = hits(key, true);
    }
    if (found.empty() || std::any_of(found.begin(), found.end(), [&](const Hit& hit) {
            return hit.town->code != found.front().town->code;
        }))
        return {};
    const Hit& hit = found.front();
    const std::u16string& written = byCityName ? hit.town->writtenFromCity : hit.town->written;
    return {hit.town->code, !doubtful(hit, key, byCityName),
            address.find(written) == std::u16string_view::npos};
}

// The towns whose whole name occurs in `key`, in the cities named in it, without those
// contained in a longer one found.
std::vector<CommonSpellingTable::Hit> CommonSpellingTable::hits(std::u16string_view key,
                                                                bool fromCity) const {
    std::vector<Hit> found;
    for (const City& city : cities_) {
        const std::u16string& name = fromCity ? city.commonName : city.commonKey;
        if (name.empty() || key.find(name) == std::u16string_view::npos)
            continue;
        for (const Town& town : city.towns) {
            const std::u16string& text = fromCity ? town.commonFromCity : town.common;
            const std::size_t at = text.empty() ? key.npos : key.find(text);
            if (at != key.npos)
                found.push_back({&city, &town, at, at + text.size()});
        }
    }
    std::vector<Hit> longest;
    std::copy_if(found.begin(), found.end(), std::back_inserter(longest), [&](const Hit& hit) {
        return std::none_of(found.begin(), found.end(), [&](const Hit& other) {
            return other.begin <= hit.begin && other.end >= hit.end &&
                   other.end - other.begin > hit.end - hit.begin;
        });
    });
    return longest;
}

// A town is doubtful when what follows it in the key may continue its name: a number of a
// town part (1条, 3線), or the next character of a longer town of the same city.
bool CommonSpellingTable::doubtful(const Hit& hit, std::u16string_view key, bool fromCity) {
    const std::u16string_view rest = key.substr(hit.end);
    if (rest.empty())
        return false;
    if (startsWithTownNumber(rest))
        return true;
    const std::u16string& name = fromCity ? hit.town->commonFromCity : hit.town->common;
    return std::any_of(hit.city->towns.begin(), hit.city->towns.end(), [&](const Town& town) {
        const std::u16string& other = fromCity ? town.commonFromCity : town.common;
        return other.size() > name.size() && other.starts_with(name) &&
               other[name.size()] == rest.front();
    });
}

} // namespace mervasto

#pragma once

#include "data/Filest.h"
#include "search/AddressAnswer.h"
#include "search/CityNameLookup.h"
#include "search/CommonSpellingTable.h"
#include "search/RecordTable.h"
#include "search/SearchOutcome.h"
#include "search/TextLineTable.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace mervasto {

// Searches many addresses on one set of national tables: each search answers exactly as
// runSearch would in address mode, but ZipCode1.txt is read and decoded at most once, when
// the first text pass needs it, ZIPCODE.TXT once, by the first search, and the index's names
// are found through their first characters.
class BatchSearch {
public:
    // `index` is used, not copied: it must outlive this object.
    BatchSearch(const std::filesystem::path& dataDir, const IndexTable& index);

    // With `indexStagesOnly` the search ends after the index stages when they list nothing.
    SearchOutcome search(std::u16string_view key, bool indexStagesOnly = false);

    // The conversion's answer for `address`: the search's, judged by how it was found, and
    // where the index stages list nothing, the town found with the usual spelling variants
    // (see commonSpelling). A code is 一致 or 補正一致 only when nothing casts doubt on it.
    AddressAnswer answer(std::u16string_view address);

private:
    const CommonSpellingTable& spellings();

    std::filesystem::path dataDir_;
    const IndexTable& index_;
    TextLineTable lines_;
    RecordTable records_;
    CityNameLookup byKey_;
    CityNameLookup byCity_;
    std::optional<CommonSpellingTable> spellings_; // read on first use
};

} // namespace mervasto

#pragma once

#include "data/Filest.h"
#include "search/CityNameLookup.h"
#include "search/RecordTable.h"
#include "search/Search.h"
#include "search/TextLineTable.h"

#include <filesystem>

namespace mervasto {

// The national tables read once for many searches.
struct LoadedTables {
    TextLineTable& lines;
    RecordTable& records;
    const CityNameLookup& byKey;  // over IndexTable::Key
    const CityNameLookup& byCity; // over IndexTable::City
};

// The address search over tables read before: the city lookups, the records of ZIPCODE.TXT
// and the text pass from `tables` instead of the files. With `indexStagesOnly` a search that
// the index stages leave without lines ends there, before narrowing, its outcome unfinished.
SearchOutcome searchAddress(const std::filesystem::path& dataDir, const IndexTable& index,
                            const SearchKey& key, const LoadedTables& tables,
                            bool indexStagesOnly = false);

} // namespace mervasto

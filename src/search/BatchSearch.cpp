#include "search/BatchSearch.h"

#include "data/TablePaths.h"
#include "search/TypedKey.h"

namespace mervasto {

BatchSearch::BatchSearch(const std::filesystem::path& dataDir, const IndexTable& index)
    : dataDir_(dataDir), index_(index), lines_(resolveTablePath(dataDir, TableFile::Lines)) {}

SearchOutcome BatchSearch::search(std::u16string_view key) {
    return searchTypedKey(key, [this](const SearchKey& searchKey) {
        return searchAddress(dataDir_, index_, searchKey, lines_);
    });
}

} // namespace mervasto

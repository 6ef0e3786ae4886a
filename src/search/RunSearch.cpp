#include "search/Search.h"

#include "search/TypedKey.h"

namespace mervasto {

SearchOutcome runSearch(const std::filesystem::path& dataDir, const IndexTable& index,
                        std::u16string_view key, bool officeMode,
                        const TextPassProgress& progress) {
    return searchTypedKey(key, [&](const SearchKey& searchKey) {
        return officeMode ? searchOffices(dataDir, searchKey)
                          : searchAddress(dataDir, index, searchKey, progress);
    });
}

} // namespace mervasto

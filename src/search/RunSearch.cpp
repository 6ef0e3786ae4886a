#include "search/Search.h"

#include "search/SearchText.h"

namespace mervasto {

SearchOutcome runSearch(const std::filesystem::path& dataDir, const IndexTable& index,
                        std::u16string_view key, bool officeMode,
                        const TextPassProgress& progress) {
    if (key.empty()) {
        SearchOutcome outcome;
        outcome.status = SearchText::EnterAddress;
        outcome.beep = true;
        outcome.focusText2 = true;
        return outcome;
    }
    if (officeMode)
        return searchOffices(dataDir, key);
    return searchAddress(dataDir, index, key, progress);
}

} // namespace mervasto

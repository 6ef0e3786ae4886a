#include "search/Search.h"

#include "data/ItemReader.h"
#include "data/TablePaths.h"
#include "search/SearchMatch.h"
#include "search/SearchText.h"

#include <exception>

namespace mervasto {

// Every line of ZIPCODE2.txt is one entry exactly as written (a comma in an office name stays
// in its entry); entries that contain the key, or are contained in it, are listed.
SearchOutcome searchOffices(const std::filesystem::path& dataDir, const SearchKey& key) {
    SearchOutcome outcome;
    outcome.status = SearchText::SearchingOffices;
    try {
        ItemReader table(resolveTablePath(dataDir, TableFile::OfficesRead));
        while (!table.atEnd())
            listIfMatchingLine(outcome, table.readLine(), key.searched);
        finishSearch(outcome, key.typed, SearchText::OfficeNotFoundSuffix);
    } catch (const std::exception& error) {
        abortSearch(outcome, SearchText::OfficeTableMissing, error.what());
    }
    return outcome;
}

} // namespace mervasto

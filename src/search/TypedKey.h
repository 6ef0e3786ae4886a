#pragma once

#include "search/PostalCodeKey.h"
#include "search/Search.h"
#include "search/SearchText.h"

namespace mervasto {

// The steps of the search button around the chosen search: an empty key is refused with the
// beep and the prompt; a postal code in any usual form is searched in the tables' form, and
// any other key as typed. `search` takes a SearchKey and returns the outcome.
template <typename Search>
SearchOutcome searchTypedKey(std::u16string_view key, const Search& search) {
    if (key.empty()) {
        SearchOutcome outcome;
        outcome.status = SearchText::EnterAddress;
        outcome.beep = true;
        outcome.focusText2 = true;
        return outcome;
    }
    if (const std::optional<std::u16string> code = typedPostalCode(key))
        return search(SearchKey(*code, key));
    return search(SearchKey(key));
}

} // namespace mervasto

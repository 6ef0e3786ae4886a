#pragma once

#include "data/Filest.h"
#include "search/SearchOutcome.h"

#include <concepts>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string_view>
#include <vector>

namespace mervasto {

// Called during the text pass, now and then, with every line found so far, so that a window
// can show the list growing: after every TextPassProgressInterval lines read, when the list has
// grown since the last call. Not called once per line, and not at the end (the outcome holds
// the whole list).
using TextPassProgress = std::function<void(const ResultLines& linesSoFar)>;
inline constexpr std::size_t TextPassProgressInterval = 4096;

// What a search looks for, and the key as the user typed it, which the not-found status shows.
// Both views must outlive the search.
struct SearchKey {
    // A key searched exactly as typed.
    template <typename Text>
    requires std::convertible_to<const Text&, std::u16string_view> SearchKey(const Text& key)
        : searched(key), typed(key) {}
    SearchKey(std::u16string_view searchedKey, std::u16string_view typedKey)
        : searched(searchedKey), typed(typedKey) {}

    std::u16string_view searched;
    std::u16string_view typed;
};

// The search button's work (Command4_Click): the empty-key check, then the business-office
// search when `officeMode` is set, otherwise the address search over the national tables in
// `dataDir` with `index`. `key` is the text of Text2 exactly as typed; a postal code in any
// usual form (see typedPostalCode) is searched in the form the tables write it.
SearchOutcome runSearch(const std::filesystem::path& dataDir, const IndexTable& index,
                        std::u16string_view key, bool officeMode,
                        const TextPassProgress& progress = {});

// The address search alone (stages 1 to 4); `key` is not empty.
SearchOutcome searchAddress(const std::filesystem::path& dataDir, const IndexTable& index,
                            const SearchKey& key, const TextPassProgress& progress = {});

// The business-office search alone (Command2_Click); `key` is not empty.
SearchOutcome searchOffices(const std::filesystem::path& dataDir, const SearchKey& key);

} // namespace mervasto

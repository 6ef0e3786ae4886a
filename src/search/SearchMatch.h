#pragma once

#include "search/SearchOutcome.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace mervasto {

// How a table entry (a record's address, a text line, an office line) meets the search key.
struct EntryMatch {
    bool exact = false;   // the whole entry occurs in the key
    bool partial = false; // the key occurs in the entry

    bool listed() const { return exact || partial; }
};

// A record's address as compared: trailing spaces removed, then cut before the first space
// within its first 30 characters. Spaces further on and ideographic spaces stay.
std::u16string_view comparedAddress(std::u16string_view address);

// Both containment tests. Their positions are 16-bit values: a position past 32767 throws
// DataError(Overflow), which ends the search on its error path.
EntryMatch matchEntry(std::u16string_view entry, std::u16string_view key);

// Tests a whole table line (a ZipCode1.txt or ZIPCODE2.txt entry) against the key: an exact
// hit puts its postal code into the code box and enables copying; any hit is listed.
void listIfMatchingLine(SearchOutcome& outcome, std::u16string_view line, std::u16string_view key);

// The status text of a search that listed `count` lines: "<count>件　見つかりました。".
std::u16string foundCountText(std::size_t count);

// The search's last steps: the count or, for an empty list, `typedKey` followed by
// `notFoundSuffix`; the beep; Command4 and Command1 enabled; the focus back to Text2.
void finishSearch(SearchOutcome& outcome, std::u16string_view typedKey,
                  std::u16string_view notFoundSuffix);

// The error path: the message box `messageText` titled "Error Check" and the aborted status.
// The list, the code and the copy button stay as the search left them.
void abortSearch(SearchOutcome& outcome, std::u16string_view messageText, const char* detail);

} // namespace mervasto

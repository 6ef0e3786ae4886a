#include "SearchMatch.h"

#include "SearchText.h"
#include "data/Containment.h"
#include "data/DataError.h"
#include "data/Utf8.h"

#include <cstdint>
#include <limits>
#include <utility>

namespace mervasto {

std::int16_t checkedInt16(std::size_t value) {
    if (value > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max()))
        throw DataError(DataError::Kind::Overflow,
                        "a 16-bit position or counter passed 32767: " + std::to_string(value));
    return static_cast<std::int16_t>(value);
}

EntryMatch matchEntry(std::u16string_view entry, std::u16string_view key) {
    const std::int16_t entryInKeyPos = checkedInt16(occursAt(entry, key));
    const std::int16_t keyInEntryPos = checkedInt16(occursAt(key, entry));
    return {entryInKeyPos != 0, keyInEntryPos != 0};
}

std::u16string leadingPostalCode(std::u16string_view line) {
    return std::u16string(line.substr(0, 8));
}

void listIfMatchingLine(SearchOutcome& outcome, std::u16string line, std::u16string_view key) {
    const EntryMatch match = matchEntry(line, key);
    if (match.exact) {
        outcome.code = leadingPostalCode(line);
        outcome.copyEnabled = true;
    }
    if (match.listed())
        outcome.lines.push_back(std::move(line));
}

std::u16string foundCountText(std::size_t count) {
    return fromUtf8(std::to_string(count)) + SearchText::FoundCountSuffix;
}

void finishSearch(SearchOutcome& outcome, std::u16string_view typedKey,
                  std::u16string_view notFoundSuffix) {
    if (outcome.lines.empty())
        outcome.status = std::u16string(typedKey) + std::u16string(notFoundSuffix);
    else
        outcome.status = foundCountText(outcome.lines.size());
    outcome.beep = true;
    outcome.buttonsEnabled = true;
    outcome.focusText2 = true;
}

void abortSearch(SearchOutcome& outcome, std::u16string_view messageText, const char* detail) {
    outcome.message = SearchMessage{std::u16string(messageText), SearchText::ErrorTitle};
    outcome.status = SearchText::Aborted;
    outcome.detail = detail;
}

} // namespace mervasto

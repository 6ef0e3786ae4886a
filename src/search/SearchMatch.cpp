#include "search/SearchMatch.h"

#include "data/Containment.h"
#include "data/Int16.h"
#include "data/PostalCode.h"
#include "data/Utf8.h"
#include "search/SearchText.h"

#include <cstdint>
#include <utility>

namespace mervasto {

std::u16string_view comparedAddress(std::u16string_view address) {
    const std::size_t end = address.find_last_not_of(u' ');
    std::u16string_view trimmed = address.substr(0, end == std::u16string_view::npos ? 0 : end + 1);
    const std::size_t space = trimmed.substr(0, 30).find(u' ');
    return space == std::u16string_view::npos ? trimmed : trimmed.substr(0, space);
}

EntryMatch matchEntry(std::u16string_view entry, std::u16string_view key) {
    const std::int16_t entryInKeyPos = checkedInt16(occursAt(entry, key), "a match position");
    const std::int16_t keyInEntryPos = checkedInt16(occursAt(key, entry), "a match position");
    return {entryInKeyPos != 0, keyInEntryPos != 0};
}

void listIfMatchingLine(SearchOutcome& outcome, std::u16string_view line, std::u16string_view key) {
    const EntryMatch match = matchEntry(line, key);
    if (match.exact) {
        outcome.code = leadingPostalCode(line);
        outcome.copyEnabled = true;
    }
    if (match.listed())
        outcome.lines.push_back(line);
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

#include "search/BatchSearch.h"

#include "data/TablePaths.h"
#include "search/LoadedTables.h"
#include "search/TypedKey.h"

namespace mervasto {

namespace {

constexpr std::size_t CodeLength = 8; // NNN-NNNN, at the start of every listed line

void settle(AddressAnswer& answer, AnswerStatus status, std::u16string_view code) {
    answer.status = status;
    answer.code = code;
}

// One line listed with the address as written: an exact hit is 一致 when the common-spelling
// search finds the same town without doubt, otherwise 部分一致, as is a line that only
// contains the address.
void judgeSoleLine(AddressAnswer& answer, const SearchOutcome& outcome,
                   const SpellingMatch& match) {
    const std::u16string_view lineCode = outcome.lines[0].substr(0, CodeLength);
    const bool sure = !outcome.code.empty() && match.sure && match.code == lineCode;
    settle(answer, sure ? AnswerStatus::Exact : AnswerStatus::Partial, lineCode);
}

// Nothing listed, or only after cutting the address, and no town found without doubt in the
// common spelling: the best code there is, marked 部分一致, but never a code for an address
// that the search could not place at all.
void judgeCutOrNothing(AddressAnswer& answer, const SearchOutcome& outcome,
                       const SpellingMatch& match) {
    if (outcome.lines.empty())
        settle(answer, AnswerStatus::NotFound, {});
    else if (!match.code.empty())
        settle(answer, AnswerStatus::Partial, match.code);
    else if (outcome.lines.size() == 1)
        settle(answer, AnswerStatus::Partial, outcome.lines[0].substr(0, CodeLength));
    else
        settle(answer, AnswerStatus::Ambiguous, outcome.code);
}

// A town found without doubt in the common spelling, where the address as written lists
// nothing: 補正一致 when its spelling was corrected, 部分一致 when the address only lacks its
// prefecture.
AddressAnswer sureAnswer(std::u16string_view address, const SpellingMatch& match) {
    AddressAnswer answer;
    answer.address = address;
    answer.count = 1;
    settle(answer, match.corrected ? AnswerStatus::Corrected : AnswerStatus::Partial, match.code);
    return answer;
}

} // namespace

BatchSearch::BatchSearch(const std::filesystem::path& dataDir, const IndexTable& index)
    : dataDir_(dataDir), index_(index), lines_(resolveTablePath(dataDir, TableFile::Lines)),
      records_(resolveTablePath(dataDir, TableFile::Records)), byKey_(index.Key, index.Count),
      byCity_(index.City, index.Count) {}

SearchOutcome BatchSearch::search(std::u16string_view key, bool indexStagesOnly) {
    return searchTypedKey(key, [&](const SearchKey& searchKey) {
        return searchAddress(dataDir_, index_, searchKey, {lines_, records_, byKey_, byCity_},
                             indexStagesOnly);
    });
}

// The index stages first: what they list is the answer as written. Where they list nothing, a
// town found without doubt in the common spelling answers, and only otherwise does the search
// go on to narrowing and the text pass.
AddressAnswer BatchSearch::answer(std::u16string_view address) {
    SearchOutcome outcome = search(address, true);
    std::optional<SpellingMatch> match;
    if (outcome.lines.empty() && !outcome.message) {
        match = spellings().find(address);
        if (match->sure)
            return sureAnswer(address, *match);
        outcome = search(address);
    }
    AddressAnswer answer;
    answer.address = address;
    answer.count = outcome.lines.size();
    if (outcome.message) {
        answer.answered = false;
        answer.error = std::move(outcome.message->text);
        answer.detail = std::move(outcome.detail);
        answer.status = AnswerStatus::Error;
        return answer;
    }
    const bool uncut =
        outcome.stage == SearchStage::Index || outcome.stage == SearchStage::TextPass;
    if (uncut && outcome.lines.size() > 1)
        settle(answer, AnswerStatus::Ambiguous, outcome.code);
    else if (uncut && outcome.lines.size() == 1)
        judgeSoleLine(answer, outcome, match ? *match : spellings().find(address));
    else
        judgeCutOrNothing(answer, outcome, *match);
    return answer;
}

const CommonSpellingTable& BatchSearch::spellings() {
    if (!spellings_)
        spellings_.emplace(records_, index_);
    return *spellings_;
}

} // namespace mervasto

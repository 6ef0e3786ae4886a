#pragma once

#include "search/AnswerStatus.h"

#include <array>
#include <cstddef>
#include <string>

namespace mervasto {

// Every status, in the order the summary names them.
inline constexpr std::array<AnswerStatus, 6> AllAnswerStatuses = {
    AnswerStatus::Exact,     AnswerStatus::Corrected, AnswerStatus::Partial,
    AnswerStatus::Ambiguous, AnswerStatus::NotFound,  AnswerStatus::Error};

// How many rows of a conversion got each status.
class StatusCounts {
public:
    void add(AnswerStatus status) { ++counts_[static_cast<std::size_t>(status)]; }
    std::size_t of(AnswerStatus status) const { return counts_[static_cast<std::size_t>(status)]; }

private:
    std::array<std::size_t, AllAnswerStatuses.size()> counts_{};
};

// The end of a conversion, e.g. "一致 12件、補正一致 3件、部分一致 1件、複数候補 2件、
// 該当なし 0件、エラー 1件".
std::u16string statusCountText(const StatusCounts& counts);

} // namespace mervasto

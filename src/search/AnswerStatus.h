#pragma once

#include <string_view>

namespace mervasto {

// How sure the conversion is of a row's postal code.
enum class AnswerStatus {
    Exact,     // one line, found without cutting the address
    Corrected, // one line, found once the spelling was corrected
    Partial,   // a code the conversion cannot vouch for (cut address, doubtful sole line)
    Ambiguous, // several lines
    NotFound,  // nothing listed
    Error,     // the row has no address column, or its search failed
};

// The status as written in the 判定 column and under "status": "一致", "補正一致", ...
std::u16string_view answerStatusText(AnswerStatus status);

} // namespace mervasto

#include "search/StatusCounts.h"

#include "data/Utf8.h"

namespace mervasto {

std::u16string statusCountText(const StatusCounts& counts) {
    std::u16string text;
    for (const AnswerStatus status : AllAnswerStatuses) {
        if (!text.empty())
            text += u"、";
        text += answerStatusText(status);
        text += u' ';
        text += fromUtf8(std::to_string(counts.of(status)));
        text += u"件";
    }
    return text;
}

} // namespace mervasto

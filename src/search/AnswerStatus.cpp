#include "search/AnswerStatus.h"

namespace mervasto {

std::u16string_view answerStatusText(AnswerStatus status) {
    switch (status) {
    case AnswerStatus::Exact:
        return u"一致";
    case AnswerStatus::Corrected:
        return u"補正一致";
    case AnswerStatus::Partial:
        return u"部分一致";
    case AnswerStatus::Ambiguous:
        return u"複数候補";
    case AnswerStatus::NotFound:
        return u"該当なし";
    case AnswerStatus::Error:
        break;
    }
    return u"エラー";
}

} // namespace mervasto

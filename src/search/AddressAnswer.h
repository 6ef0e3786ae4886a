#pragma once

#include "search/AnswerStatus.h"

#include <cstddef>
#include <string>

namespace mervasto {

// What the conversion answers for one address: a postal code (empty when none), the number of
// lines the search listed and how sure the code is. A row whose search took the error path is
// not answered: it gets an empty code and `error` tells why.
struct AddressAnswer {
    std::u16string address;
    std::u16string code;
    std::size_t count = 0;
    bool answered = true;
    std::u16string error;
    std::string detail;
    AnswerStatus status = AnswerStatus::Error;
};

} // namespace mervasto

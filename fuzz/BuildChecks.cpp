#include "BuildChecks.h"

#include "FuzzSupport.h"

namespace mervasto::fuzz {

void CheckingProgress::setRange(int minimum, int maximum) {
    require(minimum <= maximum, "a progress range with its minimum above its maximum");
    minimum_ = minimum;
}

void CheckingProgress::setValue(int value) {
    require(value >= minimum_, "a progress value below the minimum");
}

OverwriteAnswer answerYes(const std::u16string& question) {
    require(!question.empty(), "an empty overwrite question");
    return OverwriteAnswer::Yes;
}

} // namespace mervasto::fuzz

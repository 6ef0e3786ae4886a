#pragma once

#include "builders/BuildOutcome.h"

namespace mervasto::fuzz {

// A progress bar that only checks what the builders set on it.
class CheckingProgress : public BuildProgress {
public:
    void setRange(int minimum, int maximum) override;
    void setValue(int value) override;

private:
    int minimum_ = 0;
};

// The answer to the overwrite question: always Yes, so that every input is built.
OverwriteAnswer answerYes(const std::u16string& question);

} // namespace mervasto::fuzz

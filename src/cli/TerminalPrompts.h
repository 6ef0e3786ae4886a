#pragma once

#include "builders/BuildOutcome.h"
#include "cli/Console.h"

#include <string>

namespace mervasto::cli {

// Answers the builders' overwrite question. With `assumeYes` the answer is Yes. Otherwise, at
// a terminal the question is put on stderr and y, n or c is read from stdin (end of input
// cancels); without a terminal nothing may be overwritten: the question's text goes to stderr
// and the answer is Cancel.
class OverwritePrompt {
public:
    OverwritePrompt(Console& console, bool assumeYes) : console_(console), assumeYes_(assumeYes) {}

    OverwriteAnswer operator()(const std::u16string& question) const;

private:
    Console& console_;
    bool assumeYes_;
};

// The builders' progress as a percentage on stderr, shown only when stderr is a terminal.
class TerminalProgress : public BuildProgress {
public:
    explicit TerminalProgress(Console& console);

    void setRange(int minimum, int maximum) override;
    void setValue(int value) override;
    // Ends the progress line, if one was shown.
    void finish();

private:
    Console& console_;
    bool shown_;
    int minimum_ = 0;
    int maximum_ = 100;
    int lastPercent_ = -1;
};

} // namespace mervasto::cli

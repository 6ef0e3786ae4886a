#include "TerminalPrompts.h"

#include "ConsoleOutput.h"
#include "data/Utf8.h"

#include <algorithm>
#include <iostream>

namespace mervasto::cli {

OverwriteAnswer OverwritePrompt::operator()(const std::u16string& question) const {
    if (assumeYes_)
        return OverwriteAnswer::Yes;
    if (!stdinIsTerminal()) {
        writeErr(toUtf8(question) + "\n(--yes overwrites without asking)\n");
        return OverwriteAnswer::Cancel;
    }
    for (;;) {
        writeErr(toUtf8(question) + " [y]es / [n]o / [c]ancel: ");
        std::string answer;
        if (!std::getline(std::cin, answer))
            return OverwriteAnswer::Cancel;
        if (answer == "y" || answer == "Y" || answer == "yes")
            return OverwriteAnswer::Yes;
        if (answer == "n" || answer == "N" || answer == "no")
            return OverwriteAnswer::No;
        if (answer == "c" || answer == "C" || answer == "cancel")
            return OverwriteAnswer::Cancel;
    }
}

TerminalProgress::TerminalProgress() : shown_(stderrIsTerminal()) {}

void TerminalProgress::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
}

void TerminalProgress::setValue(int value) {
    if (!shown_ || maximum_ <= minimum_)
        return;
    const long long done = std::clamp(value, minimum_, maximum_) - static_cast<long long>(minimum_);
    const int percent =
        static_cast<int>(done * 100 / (static_cast<long long>(maximum_) - minimum_));
    if (percent == lastPercent_)
        return;
    lastPercent_ = percent;
    std::string text = "\r";
    text += std::to_string(percent);
    text += '%';
    writeErr(text);
}

void TerminalProgress::finish() {
    if (lastPercent_ >= 0)
        writeErr("\n");
    lastPercent_ = -1;
}

} // namespace mervasto::cli

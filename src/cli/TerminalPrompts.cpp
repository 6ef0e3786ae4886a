#include "cli/TerminalPrompts.h"

#include "data/Utf8.h"

#include <algorithm>
#include <optional>

namespace mervasto::cli {

OverwriteAnswer OverwritePrompt::operator()(const std::u16string& question) const {
    if (assumeYes_)
        return OverwriteAnswer::Yes;
    if (!console_.inputIsTerminal()) {
        console_.err(toUtf8(question) + "\n(--yes overwrites without asking)\n");
        return OverwriteAnswer::Cancel;
    }
    for (;;) {
        console_.err(toUtf8(question) + " [y]es / [n]o / [c]ancel: ");
        const std::optional<std::string> line = console_.readLine();
        if (!line)
            return OverwriteAnswer::Cancel;
        const std::string& answer = *line;
        if (answer == "y" || answer == "Y" || answer == "yes")
            return OverwriteAnswer::Yes;
        if (answer == "n" || answer == "N" || answer == "no")
            return OverwriteAnswer::No;
        if (answer == "c" || answer == "C" || answer == "cancel")
            return OverwriteAnswer::Cancel;
    }
}

TerminalProgress::TerminalProgress(Console& console)
    : console_(console), shown_(console.errorIsTerminal()) {}

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
    console_.err(text);
}

void TerminalProgress::finish() {
    if (lastPercent_ >= 0)
        console_.err("\n");
    lastPercent_ = -1;
}

} // namespace mervasto::cli

#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace mervasto {

enum class OverwriteAnswer { Yes, No, Cancel };

// Asked when the table already holds data; the text is the overwrite question.
using AskOverwrite = std::function<OverwriteAnswer(const std::u16string& question)>;

// The builders' progress bar: a range, then values within it. Values past the maximum are the
// bar's business (the window holds them at the maximum).
class BuildProgress {
public:
    virtual ~BuildProgress() = default;
    virtual void setRange(int minimum, int maximum) = 0;
    virtual void setValue(int value) = 0;
};

enum class BuildResult {
    Completed, // the new tables are in place
    Declined,  // "No": nothing written, the dialog stays open
    Cancelled, // "Cancel": nothing written, the dialog closes
    Failed,    // the error message; the previous tables are untouched
    Refused,   // the error message: the input is not the file the build takes; nothing written
};

struct BuildOutcome {
    BuildResult result = BuildResult::Failed;
    std::string detail; // what failed, for the command-line tool's stderr
    // Characters of a UTF-8 input that the tables cannot hold, written as "〓".
    std::size_t substituted = 0;
};

} // namespace mervasto

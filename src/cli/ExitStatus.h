#pragma once

namespace mervasto::cli {

// The exit statuses that scripts rely on.
enum ExitStatus : int {
    Success = 0,     // lines found, or the tables built
    NothingDone = 1, // nothing found, or the build declined, not confirmed or refused its input
    Failure = 2,     // an error (the window would show a message box) or bad usage
};

} // namespace mervasto::cli

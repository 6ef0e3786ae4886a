#pragma once

#include "cli/Console.h"

namespace mervasto::cli {

// The process's standard streams. On a Windows console text is written as UTF-16 through the
// console API, so that Japanese reads correctly whatever the console's code page; to a pipe or
// a file, and everywhere else, the UTF-8 bytes are written as they are. A failed read throws
// DataError(Io).
class StandardConsole : public Console {
public:
    void out(std::string_view utf8) override;
    void err(std::string_view utf8) override;
    bool outBytes(std::string_view bytes) override;
    std::optional<std::string> readLine() override;
    std::optional<std::string> readAll() override;
    bool inputIsTerminal() const override;
    bool errorIsTerminal() const override;

    // Whether something written to standard output did not reach it (a full disk, a closed
    // pipe): the command's result is then incomplete.
    bool outputFailed() const { return outputFailed_; }

private:
    bool outputFailed_ = false;
};

} // namespace mervasto::cli

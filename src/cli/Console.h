#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mervasto::cli {

// Where the commands read and write: the process's standard streams in mervasto-cli, strings
// in the tests, which run the commands in-process. Text is UTF-8.
class Console {
public:
    virtual ~Console() = default;

    virtual void out(std::string_view utf8) = 0;
    virtual void err(std::string_view utf8) = 0;
    // Bytes written to standard output as they are, whatever they encode (also on a console),
    // and flushed; false when not all of them could be written (a full disk, a closed pipe).
    virtual bool outBytes(std::string_view bytes) = 0;
    // The next line of standard input without its line end; nothing at the end of input.
    virtual std::optional<std::string> readLine() = 0;
    // The rest of standard input, byte for byte; nothing when reading it failed.
    virtual std::optional<std::string> readAll() = 0;
    virtual bool inputIsTerminal() const = 0;
    virtual bool errorIsTerminal() const = 0;
};

} // namespace mervasto::cli

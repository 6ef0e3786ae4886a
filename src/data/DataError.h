#pragma once

#include <stdexcept>

namespace mervasto {

// A run-time failure while reading or writing a table or an input file.
// Handlers catch it and take their error path; the text is for logs and the CLI only.
class DataError : public std::runtime_error {
public:
    enum class Kind {
        FileNotFound, // a file that must exist could not be opened
        Io,           // a read or write that the system refused (disk full, read-only, ...)
        InputPastEnd, // an item was read after the end of the file
        ItemTooLong,  // an item or line longer than the reader accepts
        Overflow,     // a 16- or 32-bit counter left its range
        OutOfRange,   // an IndexTable slot outside 0..50000
        WrongInput,   // an input file that is not what the build takes (wrong or damaged file)
    };

    DataError(Kind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

} // namespace mervasto

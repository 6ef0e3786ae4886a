#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace mervasto {

// Writes a CP932 text file one line per call: the text followed by CR LF, without quoting.
// A number is written in decimal with one leading space (the sign position of a
// non-negative number; a negative number shows its "-" there) and one trailing space.
// Every failure, including one found only when the file is flushed, throws DataError(Io).
class LineWriter {
public:
    // Creates the file, or truncates an existing one.
    explicit LineWriter(const std::filesystem::path& file);

    void writeLine(std::u16string_view text);
    void writeNumber(std::int32_t number);
    // Flushes and closes; throws when any write failed. The destructor closes silently.
    void close();

private:
    std::filesystem::path file_;
    std::ofstream out_;
    std::string line_; // the line being written, its storage reused
};

} // namespace mervasto

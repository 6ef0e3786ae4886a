#pragma once

#include <string_view>

namespace mervasto::cli {

// UTF-8 text to standard output or standard error. On a Windows console it is written as
// UTF-16 through the console API, so that Japanese reads correctly whatever the console's code
// page; to a pipe or a file, and everywhere else, the UTF-8 bytes are written as they are.
void writeOut(std::string_view utf8);
void writeErr(std::string_view utf8);

bool stdinIsTerminal();
bool stderrIsTerminal();

} // namespace mervasto::cli

#pragma once

#include "cli/Console.h"

#include <string>
#include <vector>

namespace mervasto::cli {

// The whole command-line tool: parses `arguments` (UTF-8, the program's name first), runs the
// chosen command against `console` and returns the exit status. mervasto-cli's main calls it
// with the process's arguments and streams; the tests call it in-process.
int runCli(const std::vector<std::string>& arguments, Console& console);

} // namespace mervasto::cli

#pragma once

#include "cli/Console.h"
#include "data/TablePaths.h"

#include <filesystem>

#include <string>
#include <vector>

namespace mervasto {
struct UpdateServices;
}

namespace mervasto::cli {

// The whole command-line tool: parses `arguments` (UTF-8, the program's name first), runs the
// chosen command against `console` and returns the exit status. mervasto-cli's main calls it
// with the process's arguments and streams; the tests call it in-process. `programDir` is where
// the program is: it decides a portable copy's table directory, and holds the postal data the
// installation carries (data/CarriedData.h).
// `update` downloads through `services`; without them, through the network and the program's
// settings.
int runCli(const std::vector<std::string>& arguments, Console& console,
           const std::filesystem::path& programDir = executableDirectory(),
           UpdateServices* services = nullptr);

} // namespace mervasto::cli

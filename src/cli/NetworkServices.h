#pragma once

#include "cli/Console.h"
#include "cli/UpdateCommand.h"

#include <filesystem>

namespace mervasto::cli {

// Runs `update` through the network, with the system's proxy, and the program's settings. The
// download needs Qt's event loop: an application object is made for it when there is none, so
// that no other command pays for one.
int runWithNetwork(const UpdateCommand& update, const std::filesystem::path& dataDir,
                   Console& console);

} // namespace mervasto::cli

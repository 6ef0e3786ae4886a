#pragma once

#include "data/Filest.h"
#include "data/TablePaths.h"
#include "ui/Desktop.h"

#include <filesystem>

namespace mervasto {

// What every window of the program shares: the desktop services, the shared table state, the
// directory that holds the tables and the one that holds the program (where its help is).
struct AppContext {
    Desktop& desktop;
    Filest& filest;
    std::filesystem::path dataDir;
    std::filesystem::path programDir = executableDirectory();
};

} // namespace mervasto

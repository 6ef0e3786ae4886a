#pragma once

#include "data/Filest.h"
#include "ui/Desktop.h"

#include <filesystem>

namespace mervasto {

// What every window of the program shares: the desktop services, the shared table state and
// the directory that holds the tables.
struct AppContext {
    Desktop& desktop;
    Filest& filest;
    std::filesystem::path dataDir;
};

} // namespace mervasto

#pragma once

#include "data/Filest.h"
#include "data/TablePaths.h"
#include "ui/Desktop.h"

#include <QDateTime>

#include <filesystem>
#include <functional>

namespace mervasto {

// What every window of the program shares: the desktop services, the shared table state, the
// directory that holds the tables, the one that holds the program (where its help and the
// postal data it carries are) and the clock (tests set their own day).
struct AppContext {
    Desktop& desktop;
    Filest& filest;
    std::filesystem::path dataDir;
    std::filesystem::path programDir = executableDirectory();
    std::function<QDateTime()> now = &QDateTime::currentDateTime;
};

} // namespace mervasto

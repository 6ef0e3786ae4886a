#pragma once

#include <QString>

#include <filesystem>

namespace mervasto {

// File names cross between the core (std::filesystem) and the windows (QString) intact,
// Japanese names included, on every platform.
QString toQString(const std::filesystem::path& path);
std::filesystem::path toPath(const QString& text);

} // namespace mervasto

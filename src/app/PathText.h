#pragma once

#include <QString>

#include <filesystem>

namespace mervasto {

// File names cross between the core (std::filesystem) and the windows (QString) as UTF-16.
inline QString toQString(const std::filesystem::path& path) {
    return QString::fromStdU16String(path.u16string());
}

inline std::filesystem::path toPath(const QString& text) {
    return std::filesystem::path(text.toStdU16String());
}

} // namespace mervasto

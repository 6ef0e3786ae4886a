#pragma once

#include <QString>

#include <optional>

namespace mervasto {

// Why the windows cannot be shown here, or nothing when they can. On Linux and the other
// X11/Wayland systems a display is needed that accepts a connection: the X server named by
// DISPLAY or the Wayland compositor named by WAYLAND_DISPLAY (only the one that QT_QPA_PLATFORM
// chooses, when it chooses one of them; any other platform it chooses needs neither). Windows
// and macOS always have a desktop.
std::optional<QString> desktopSessionProblem();

// What the program prints instead of starting: the problem, and the command-line tool that
// works without a desktop.
QString noDesktopSessionMessage(const QString& problem);

} // namespace mervasto

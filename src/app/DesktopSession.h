#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace mervasto {

// What the check asks of the system: an environment variable, and whether the X server or the
// Wayland compositor of a display takes a connection.
struct SessionProbe {
    std::function<QString(const char* name)> environment;
    std::function<bool(const QString& display)> xServerAccepts;
    std::function<bool(const QString& display)> waylandCompositorAccepts;
};

// The running system, as the toolkit's own connection would find it (X11/Wayland systems
// only).
SessionProbe systemSessionProbe();

// Why the windows cannot be shown, or nothing when they can. The platforms tried are those of
// `platformArgument` (the "-platform" argument) when given, else of QT_QPA_PLATFORM, a
// fallback list separated by ";" (each name may carry ":options"); with neither, Wayland and
// X11. The windows can be shown when one of them can: xcb needs an X server that accepts a
// connection (DISPLAY), wayland a compositor that does (WAYLAND_DISPLAY), and any other
// platform neither.
std::optional<QString> desktopSessionProblem(const std::optional<QString>& platformArgument,
                                             const SessionProbe& session);

// The same for this system. Windows and macOS always have a desktop.
std::optional<QString> desktopSessionProblem(const std::optional<QString>& platformArgument);

// What the program prints instead of starting: the problem, and the command-line tool that
// works without a desktop.
QString noDesktopSessionMessage(const QString& problem);

} // namespace mervasto

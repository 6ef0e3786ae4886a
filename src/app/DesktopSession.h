#pragma once

#include <QString>

namespace mervasto {

// Whether the windows can be shown: on Linux and the other X11/Wayland systems a desktop
// session (DISPLAY or WAYLAND_DISPLAY) or an explicitly chosen Qt platform (QT_QPA_PLATFORM)
// is needed; Windows and macOS always have one.
bool desktopSessionAvailable();

// What the program prints instead of starting when there is no desktop session.
QString noDesktopSessionMessage();

} // namespace mervasto

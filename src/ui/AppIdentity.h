#pragma once

#include <QString>

namespace mervasto {

// The application's title: the name under which its settings are kept, and the title of a
// message box that has none of its own.
QString appTitle();

// The program's version, "major.minor.patch", from the build.
QString appVersion();

} // namespace mervasto

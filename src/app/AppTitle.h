#pragma once

#include <QString>

namespace mervasto {

// The application's title: the name under which its settings are kept, and the title of a
// message box that has none of its own.
inline QString appTitle() {
    return QStringLiteral("Mervasto");
}

} // namespace mervasto

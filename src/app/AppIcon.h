#pragma once

#include <QIcon>

namespace mervasto {

// The program's icon: the windows' title bars and the About box show it.
QIcon appIcon();

} // namespace mervasto

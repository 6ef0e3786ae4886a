#include "app/AppIcon.h"

#include <QtGlobal>

// Resources of a static library must be initialised by name, from the global namespace.
static void initialiseIconResource() {
    Q_INIT_RESOURCE(mervasto);
}

namespace mervasto {

QIcon appIcon() {
    initialiseIconResource();
    return QIcon(QStringLiteral(":/mervasto/mervasto.png"));
}

} // namespace mervasto

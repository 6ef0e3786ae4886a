#include "ui/AppIdentity.h"

namespace mervasto {

QString appTitle() {
    return QStringLiteral("Mervasto");
}

QString appVersion() {
    return QStringLiteral(MERVASTO_VERSION);
}

} // namespace mervasto

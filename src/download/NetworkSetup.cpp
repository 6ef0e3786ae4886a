#include "download/NetworkSetup.h"

#include <QNetworkProxyFactory>

namespace mervasto {

void useSystemProxy() {
    QNetworkProxyFactory::setUseSystemConfiguration(true);
}

} // namespace mervasto

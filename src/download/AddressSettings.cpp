#include "download/AddressSettings.h"

#include <QSettings>

namespace mervasto {

std::optional<QString> QtAddressSettings::value(std::string_view key) const {
    // Organisation and application are both the program's title, as for the window's settings.
    const QSettings settings(QStringLiteral("Mervasto"), QStringLiteral("Mervasto"));
    const QString name = QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
    if (!settings.contains(name)) {
        return std::nullopt;
    }
    return settings.value(name).toString();
}

} // namespace mervasto

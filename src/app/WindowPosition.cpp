#include "app/WindowPosition.h"

#include "ui/Desktop.h"
#include "ui/Twips.h"

#include <QString>

#include <algorithm>
#include <cmath>

namespace mervasto {

namespace {

const QString LeftKey = QStringLiteral("Settings/MainLeft");
const QString TopKey = QStringLiteral("Settings/MainTop");

// Far beyond every screen, yet well inside the range of a pixel coordinate.
constexpr double TwipsLimit = 1.0e7;

int storedPixels(Desktop& desktop, const QString& key) {
    return twipsToPixels(storedTwips(desktop.readSetting(key).value_or(QStringLiteral("0"))));
}

} // namespace

double storedTwips(const QString& text) {
    bool isNumber = false;
    const double twips = text.trimmed().toDouble(&isNumber);
    if (!isNumber || !std::isfinite(twips))
        return 0.0;
    return std::clamp(twips, -TwipsLimit, TwipsLimit);
}

QPoint readWindowPosition(Desktop& desktop) {
    return {storedPixels(desktop, LeftKey), storedPixels(desktop, TopKey)};
}

void storeWindowPosition(Desktop& desktop, QPoint framePosition) {
    desktop.writeSetting(LeftKey, QString::number(pixelsToTwips(framePosition.x())));
    desktop.writeSetting(TopKey, QString::number(pixelsToTwips(framePosition.y())));
}

} // namespace mervasto

#include "app/WindowPosition.h"

#include "ui/Desktop.h"
#include "ui/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QString>

#include <algorithm>
#include <cmath>

namespace mervasto {

namespace {

const QString LeftKey = QStringLiteral("Settings/MainLeft");
const QString TopKey = QStringLiteral("Settings/MainTop");

// Far beyond every screen, yet well inside the range of a pixel coordinate.
constexpr double TwipsLimit = 1.0e7;

// How much of the title bar must lie on a screen for the mouse to take it: a stretch this wide,
// at least half as high as the bar.
constexpr int GripWidth = 48;

bool titleBarReachable(QRect titleBar, const QList<QRect>& screens) {
    return std::any_of(screens.begin(), screens.end(), [titleBar](QRect screen) {
        const QRect onScreen = titleBar.intersected(screen);
        return onScreen.width() >= std::min(GripWidth, titleBar.width()) &&
               2 * onScreen.height() >= titleBar.height();
    });
}

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

QPoint reachablePosition(QPoint stored, QSize frameSize, int titleBarHeight,
                         const QList<QRect>& screens, QRect primaryScreen) {
    if (titleBarReachable(QRect(stored, QSize(frameSize.width(), titleBarHeight)), screens))
        return stored;
    const QPoint centred =
        primaryScreen.center() - QPoint(frameSize.width(), frameSize.height()) / 2;
    return {std::max(centred.x(), primaryScreen.left()),
            std::max(centred.y(), primaryScreen.top())};
}

QPoint reachablePosition(QPoint stored, QSize frameSize, int titleBarHeight) {
    const QScreen* const primary = QGuiApplication::primaryScreen();
    if (!primary)
        return stored;
    QList<QRect> screens;
    for (const QScreen* const screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    return reachablePosition(stored, frameSize, titleBarHeight, screens,
                             primary->availableGeometry());
}

} // namespace mervasto

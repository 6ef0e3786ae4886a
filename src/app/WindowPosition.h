#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace mervasto {

class Desktop;

// The main window's position as the settings keep it: "Settings/MainLeft" and
// "Settings/MainTop", the frame's left and top edges in twips, as the text of a number.

// The stored position in pixels. A value that is absent, or that is not a number, counts
// as 0; values beyond any screen are read as they are, within the range a window can take.
QPoint readWindowPosition(Desktop& desktop);

// Stores `framePosition` (pixels), left edge first.
void storeWindowPosition(Desktop& desktop, QPoint framePosition);

// The number of twips in a stored value: 0 for text that is not a finite number.
double storedTwips(const QString& text);

// Where a window of `frameSize` whose title bar is `titleBarHeight` high opens, given the
// stored position: there, when the user can take the title bar with the mouse on one of the
// `screens` (their available areas); otherwise (a screen removed since, a smaller resolution)
// in the middle of `primaryScreen`, its top-left corner kept on that screen.
QPoint reachablePosition(QPoint stored, QSize frameSize, int titleBarHeight,
                         const QList<QRect>& screens, QRect primaryScreen);

// The same on the screens the program sees now; the stored position when there are none.
QPoint reachablePosition(QPoint stored, QSize frameSize, int titleBarHeight);

} // namespace mervasto

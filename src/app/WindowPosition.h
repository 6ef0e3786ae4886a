#pragma once

#include <QPoint>

namespace mervasto {

class Desktop;

// The main window's position as the settings keep it: "Settings/MainLeft" and
// "Settings/MainTop", the frame's left and top edges in twips, as the text of a number.

// The stored position in pixels. A value that is absent, or that is not a number, counts
// as 0; values beyond any screen are used as they are, within the range a window can take.
QPoint readWindowPosition(Desktop& desktop);

// Stores `framePosition` (pixels), left edge first.
void storeWindowPosition(Desktop& desktop, QPoint framePosition);

// The number of twips in a stored value: 0 for text that is not a finite number.
double storedTwips(const QString& text);

} // namespace mervasto

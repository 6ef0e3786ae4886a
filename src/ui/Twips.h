#pragma once

#include <QLatin1String>
#include <QRect>

#include <cmath>

namespace mervasto {

// The window layouts are kept in twips; at 96 dots per inch 15 twips make one pixel, and Qt's
// device-independent pixels scale the result for other screens.
inline constexpr int TwipsPerPixel = 15;

inline int twipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

inline int pixelsToTwips(int pixels) {
    return pixels * TwipsPerPixel;
}

inline QRect twipsRect(int left, int top, int width, int height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

// Gives a new control its name (the one tests and the keyboard rules look it up by) and its
// place, usually a twipsRect.
template <typename Control> Control* placeControl(Control* control, const char* name, QRect place) {
    control->setObjectName(QLatin1String(name));
    control->setGeometry(place);
    return control;
}

} // namespace mervasto

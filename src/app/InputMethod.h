#pragma once

class QWidget;

namespace mervasto {

// From now on, each time `textBox` gets the focus the input method is turned on in full-width
// hiragana mode, so that the user types Japanese at once. Only Windows offers this; elsewhere
// nothing changes.
void useFullWidthHiraganaOnFocus(QWidget* textBox);

} // namespace mervasto

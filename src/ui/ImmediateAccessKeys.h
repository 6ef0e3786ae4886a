#pragma once

class QWidget;

namespace mervasto {

// Makes the access keys (Alt+letter) of every button and check box under `window` press it at
// once, as a click does. Qt's own answer to an access key is an animated click that lands
// about 100 ms later, and a user who types straight on would see that late click act on what
// was typed meanwhile (the next-search button clears the search box). A key that more than
// one control claims keeps Qt's way: it moves the focus among them.
void pressAccessKeysAtOnce(QWidget* window);

} // namespace mervasto

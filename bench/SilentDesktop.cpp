#include "SilentDesktop.h"

namespace mervasto::bench {

Desktop::Answer SilentDesktop::showMessage(QWidget*, const QString&, const QString&, Icon,
                                           Buttons buttons) {
    ++messagesShown;
    return buttons == Buttons::YesNoCancel ? Answer::Yes : Answer::Ok;
}

} // namespace mervasto::bench

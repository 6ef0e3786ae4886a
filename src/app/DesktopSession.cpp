#include "app/DesktopSession.h"

#include <QtGlobal>

namespace mervasto {

bool desktopSessionAvailable() {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return true;
#else
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#endif
}

QString noDesktopSessionMessage() {
    return QStringLiteral(
        "mervasto: the postal-code search window needs a desktop session, and none was found\n"
        "(neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
        "メルバストのウィンドウを表示するにはデスクトップ環境が必要です。\n"
        "\n"
        "Without a desktop, search from the command line instead:\n"
        "  mervasto-cli --data-dir DIR search KEY\n"
        "  mervasto-cli --data-dir DIR search --office KEY\n"
        "where DIR holds the tables (ZIPCODE.TXT, ZIPID1.txt, ZipCode1.txt, ZipCode2.txt).\n"
        "To run the window on a machine without a screen, use a virtual one: xvfb-run -a "
        "mervasto\n");
}

} // namespace mervasto

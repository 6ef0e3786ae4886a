#include "app/DesktopSession.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QtGlobal>

#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstring>
#endif

namespace mervasto {

#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)

std::optional<QString> desktopSessionProblem() {
    return std::nullopt;
}

#else

namespace {

QString environment(const char* name) {
    return qEnvironmentVariable(name);
}

// Whether the X server of DISPLAY lets us in (authorisation included), as the toolkit's own
// connection will ask.
bool xServerAccepts() {
    xcb_connection_t* const connection = xcb_connect(nullptr, nullptr);
    const bool accepted = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return accepted;
}

// Whether the compositor's socket takes a connection: WAYLAND_DISPLAY is the socket's path, or
// its name in the user's runtime directory.
bool waylandCompositorAccepts(const QString& display) {
    const QString path = QDir::isAbsolutePath(display)
                             ? display
                             : QDir(environment("XDG_RUNTIME_DIR")).filePath(display);
    const QByteArray encoded = QFile::encodeName(path);
    sockaddr_un address{};
    if (encoded.size() >= static_cast<qsizetype>(sizeof address.sun_path))
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, encoded.constData(), static_cast<std::size_t>(encoded.size()));
    const int socketId = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socketId < 0)
        return false;
    const bool accepted =
        ::connect(socketId, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(socketId);
    return accepted;
}

} // namespace

std::optional<QString> desktopSessionProblem() {
    const QString platform = environment("QT_QPA_PLATFORM").section(QLatin1Char(':'), 0, 0);
    const bool xcbOnly = platform == QLatin1String("xcb");
    const bool waylandOnly = platform.startsWith(QLatin1String("wayland"));
    if (!platform.isEmpty() && !xcbOnly && !waylandOnly)
        return std::nullopt;

    const QString xDisplay = waylandOnly ? QString() : environment("DISPLAY");
    const QString waylandDisplay = xcbOnly ? QString() : environment("WAYLAND_DISPLAY");
    if (xDisplay.isEmpty() && waylandDisplay.isEmpty())
        return QStringLiteral("neither DISPLAY nor WAYLAND_DISPLAY is set");
    if (!waylandDisplay.isEmpty() && waylandCompositorAccepts(waylandDisplay))
        return std::nullopt;
    if (!xDisplay.isEmpty() && xServerAccepts())
        return std::nullopt;

    QStringList refused;
    if (!xDisplay.isEmpty())
        refused << QStringLiteral("the X display \"%1\" (DISPLAY) does not answer").arg(xDisplay);
    if (!waylandDisplay.isEmpty())
        refused << QStringLiteral("the Wayland display \"%1\" (WAYLAND_DISPLAY) refuses a "
                                  "connection")
                       .arg(waylandDisplay);
    return refused.join(QStringLiteral(", and "));
}

#endif

QString noDesktopSessionMessage(const QString& problem) {
    return QStringLiteral(
               "mervasto: the postal-code search window needs a desktop session, and none can "
               "be reached\n(%1).\n"
               "メルバストのウィンドウを表示するにはデスクトップ環境が必要です。\n"
               "\n"
               "Without a desktop, search from the command line instead:\n"
               "  mervasto-cli --data-dir DIR search KEY\n"
               "  mervasto-cli --data-dir DIR search --office KEY\n"
               "where DIR holds the tables (ZIPCODE.TXT, ZIPID1.txt, ZipCode1.txt, "
               "ZipCode2.txt).\n"
               "To run the window on a machine without a screen, use a virtual one: xvfb-run -a "
               "mervasto\n")
        .arg(problem);
}

} // namespace mervasto

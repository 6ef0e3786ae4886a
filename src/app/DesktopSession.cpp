#include "app/DesktopSession.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QtGlobal>

#include <algorithm>

#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstring>
#endif

namespace mervasto {

namespace {

// The platforms the toolkit will try, in order, without their options.
QStringList chosenPlatforms(const std::optional<QString>& platformArgument,
                            const SessionProbe& session) {
    const QString choice =
        platformArgument ? *platformArgument : session.environment("QT_QPA_PLATFORM");
    QStringList platforms;
    for (const QString& entry : choice.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString name = entry.section(QLatin1Char(':'), 0, 0).trimmed();
        if (!name.isEmpty())
            platforms << name;
    }
    if (platforms.isEmpty())
        platforms << QStringLiteral("wayland") << QStringLiteral("xcb");
    return platforms;
}

bool isWayland(const QString& platform) {
    return platform.startsWith(QLatin1String("wayland"));
}

bool isX11(const QString& platform) {
    return platform == QLatin1String("xcb");
}

QString unsetVariables(bool x11, bool wayland) {
    if (x11 && wayland)
        return QStringLiteral("neither DISPLAY nor WAYLAND_DISPLAY is set");
    return x11 ? QStringLiteral("DISPLAY is not set")
               : QStringLiteral("WAYLAND_DISPLAY is not set");
}

} // namespace

std::optional<QString> desktopSessionProblem(const std::optional<QString>& platformArgument,
                                             const SessionProbe& session) {
    const QStringList platforms = chosenPlatforms(platformArgument, session);
    if (!std::all_of(platforms.begin(), platforms.end(), [](const QString& platform) {
            return isX11(platform) || isWayland(platform);
        }))
        return std::nullopt;
    const bool x11 = std::any_of(platforms.begin(), platforms.end(), isX11);
    const bool wayland = std::any_of(platforms.begin(), platforms.end(), isWayland);

    const QString xDisplay = x11 ? session.environment("DISPLAY") : QString();
    const QString waylandDisplay = wayland ? session.environment("WAYLAND_DISPLAY") : QString();
    if (xDisplay.isEmpty() && waylandDisplay.isEmpty())
        return unsetVariables(x11, wayland);
    if (!waylandDisplay.isEmpty() && session.waylandCompositorAccepts(waylandDisplay))
        return std::nullopt;
    if (!xDisplay.isEmpty() && session.xServerAccepts(xDisplay))
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

#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)

std::optional<QString> desktopSessionProblem(const std::optional<QString>&) {
    return std::nullopt;
}

#else

namespace {

// Whether the X server of `display` lets us in (authorisation included), as the toolkit's own
// connection will ask.
bool xServerAccepts(const QString& display) {
    xcb_connection_t* const connection = xcb_connect(display.toLocal8Bit().constData(), nullptr);
    const bool accepted = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return accepted;
}

// Whether the compositor's socket takes a connection: WAYLAND_DISPLAY is the socket's path, or
// its name in the user's runtime directory.
bool waylandCompositorAccepts(const QString& display) {
    const QString path = QDir::isAbsolutePath(display)
                             ? display
                             : QDir(qEnvironmentVariable("XDG_RUNTIME_DIR")).filePath(display);
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

SessionProbe systemSessionProbe() {
    return {[](const char* name) { return qEnvironmentVariable(name); }, xServerAccepts,
            waylandCompositorAccepts};
}

std::optional<QString> desktopSessionProblem(const std::optional<QString>& platformArgument) {
    return desktopSessionProblem(platformArgument, systemSessionProbe());
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

// mervasto: the desktop program for looking up Japanese postal codes.

#include "app/AppIcon.h"
#include "app/DesktopSession.h"
#include "app/InstanceLock.h"
#include "app/PlatformArgument.h"
#include "app/ZipCodeConv.h"
#include "ui/AppContext.h"
#include "ui/AppIdentity.h"
#include "ui/JapaneseFont.h"
#include "ui/PathText.h"
#include "ui/QtDesktop.h"

#include "data/DataDirectory.h"
#include "data/Filest.h"
#include "data/TablePaths.h"
#include "download/AddressSettings.h"
#include "download/FileDownload.h"
#include "download/NetworkSetup.h"
#include "download/UpdateServices.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>

#include <cstdio>

namespace {

// The directory that holds the tables, chosen by the same rule as mervasto-cli's.
std::filesystem::path dataDirectory(const QApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Mervasto: looks up Japanese postal codes (郵便番号検索)."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataDir(
        QStringLiteral("data-dir"),
        QStringLiteral("The directory that holds the tables (default: as \"mervasto-cli where\" "
                       "prints)."),
        QStringLiteral("DIR"));
    parser.addOption(dataDir);
    parser.process(app);
    return mervasto::chooseDataDirectory(mervasto::toPath(parser.value(dataDir)),
                                         mervasto::executableDirectory(),
                                         mervasto::processEnvironment);
}

} // namespace

int main(int argc, char* argv[]) {
    using namespace mervasto;
    ArgumentVector arguments(withPlatformArgumentSplit({argv, argv + argc}));
    if (const auto problem = desktopSessionProblem(platformArgument(arguments.strings()))) {
        std::fputs(noDesktopSessionMessage(*problem).toLocal8Bit().constData(), stderr);
        return 1;
    }

    QApplication app(arguments.count(), arguments.values());
    QApplication::setApplicationName(appTitle());
    QApplication::setApplicationVersion(appVersion());
    QApplication::setWindowIcon(appIcon());
    QApplication::setFont(japaneseFont(9));
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));

    QtDesktop desktop;
    Filest filest;
    AppContext context{desktop, filest, dataDirectory(app)};

    useSystemProxy();
    NetworkDownloader downloader;
    const QtAddressSettings addressSettings;
    UpdateServices updates{downloader, addressSettings};

    ZipCodeConv window(context, updates, InstanceLock::defaultPath());
    if (!window.Form_Load())
        return 0;
    window.show();
    window.activateWindow();
    return QApplication::exec();
}

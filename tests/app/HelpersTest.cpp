#include "HelpersTest.h"

#include "FakeDesktop.h"
#include "app/DesktopSession.h"
#include "app/PlatformArgument.h"
#include "app/ResultListModel.h"
#include "app/WindowPosition.h"

#include <QSignalSpy>
#include <QTest>

void HelpersTest::storedTwipsReadsOnlyNumbers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("twips");

    QTest::newRow("whole number") << QStringLiteral("1500") << 1500.0;
    QTest::newRow("negative") << QStringLiteral("-120") << -120.0;
    QTest::newRow("spaces around") << QStringLiteral(" 90 ") << 90.0;
    QTest::newRow("fraction") << QStringLiteral("12.5") << 12.5;
    QTest::newRow("exponent") << QStringLiteral("1.5E+03") << 1500.0;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("words") << QStringLiteral("left") << 0.0;
    QTest::newRow("number then words") << QStringLiteral("120px") << 0.0;
    QTest::newRow("not a number") << QStringLiteral("nan") << 0.0;
    QTest::newRow("infinite") << QStringLiteral("inf") << 0.0;
    QTest::newRow("far too large") << QStringLiteral("1e300") << 1.0e7;
    QTest::newRow("far too small") << QStringLiteral("-1e300") << -1.0e7;
}

void HelpersTest::storedTwipsReadsOnlyNumbers() {
    QFETCH(QString, text);
    QFETCH(double, twips);
    QCOMPARE(mervasto::storedTwips(text), twips);
}

void HelpersTest::positionIsStoredInTwips() {
    mervasto::test::FakeDesktop desktop;
    mervasto::storeWindowPosition(desktop, QPoint(-4, 37));
    QCOMPARE(desktop.settings.value(QStringLiteral("Settings/MainLeft")), QStringLiteral("-60"));
    QCOMPARE(desktop.settings.value(QStringLiteral("Settings/MainTop")), QStringLiteral("555"));
    QCOMPARE(mervasto::readWindowPosition(desktop), QPoint(-4, 37));
}

void HelpersTest::resultModelGrowsAndStartsAfresh() {
    mervasto::ResultListModel model;
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);

    model.showLines({u"100-0001　a", u"100-0002　b"});
    model.showLines({u"100-0001　a", u"100-0002　b", u"100-0003　c"});
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(inserts.size(), 2);
    QCOMPARE(inserts.last().at(1).toInt(), 2);
    QCOMPARE(resets.size(), 0);
    QCOMPARE(model.index(2, 0).data().toString(), QStringLiteral("100-0003　c"));

    // Other lines than those held: the list starts afresh.
    model.showLines({u"200-0001　x", u"200-0002　y", u"200-0003　z", u"200-0004　w"});
    QCOMPARE(resets.size(), 1);
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(model.line(0), QStringLiteral("200-0001　x"));
    model.showLines({u"200-0001　x"});
    QCOMPARE(model.rowCount(), 1);
    model.clear();
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(!model.index(0, 0).data().isValid());
}

void HelpersTest::aWindowOutOfReachIsCentred_data() {
    QTest::addColumn<QPoint>("stored");
    QTest::addColumn<QPoint>("opensAt");

    // Two screens side by side, the primary one on the left; the window is 600 x 400 with a
    // title bar 30 high. A centred window stands at (659, 319) on the primary screen.
    const QPoint centred(659, 319);
    QTest::newRow("on the primary screen") << QPoint(100, 50) << QPoint(100, 50);
    QTest::newRow("on the second screen") << QPoint(2500, 300) << QPoint(2500, 300);
    QTest::newRow("across both screens") << QPoint(1700, 300) << QPoint(1700, 300);
    QTest::newRow("maximized") << QPoint(-8, -8) << QPoint(-8, -8);
    QTest::newRow("on the taskbar") << QPoint(100, 1050) << centred;
    QTest::newRow("under the second screen") << QPoint(2500, 1300) << centred;
    QTest::newRow("right of both screens") << QPoint(3900, 300) << centred;
    QTest::newRow("only the right edge on screen") << QPoint(-570, 300) << centred;
    QTest::newRow("a grip of the title bar on screen") << QPoint(-552, 300) << QPoint(-552, 300);
    QTest::newRow("title bar above the screen") << QPoint(100, -20) << centred;
}

void HelpersTest::aWindowOutOfReachIsCentred() {
    QFETCH(QPoint, stored);
    QFETCH(QPoint, opensAt);
    const QList<QRect> screens{{0, 0, 1920, 1040}, {1920, 0, 1920, 1200}};
    QCOMPARE(mervasto::reachablePosition(stored, QSize(600, 400), 30, screens, screens.first()),
             opensAt);
    // A window larger than the screen keeps its top-left corner on it.
    QCOMPARE(
        mervasto::reachablePosition({5000, 5000}, QSize(2000, 1200), 30, screens, screens.first()),
        QPoint(0, 0));
}

void HelpersTest::aDesktopSessionIsNeeded_data() {
    QTest::addColumn<QByteArray>("display");
    QTest::addColumn<QByteArray>("wayland");
    QTest::addColumn<QByteArray>("platform");
    QTest::addColumn<QString>("problem");

    // Display names that nothing answers.
    const QByteArray noX(":9876"), noWayland("/nonexistent/wayland-9");
    QTest::newRow("platform chosen")
        << QByteArray() << QByteArray() << QByteArray("offscreen") << QString();
    QTest::newRow("none") << QByteArray() << QByteArray() << QByteArray()
                          << QStringLiteral("neither DISPLAY nor WAYLAND_DISPLAY is set");
    QTest::newRow("X11 without a server")
        << noX << QByteArray() << QByteArray()
        << QStringLiteral("the X display \":9876\" (DISPLAY) does not answer");
    QTest::newRow("X11 chosen without a server")
        << noX << QByteArray() << QByteArray("xcb")
        << QStringLiteral("the X display \":9876\" (DISPLAY) does not answer");
    QTest::newRow("Wayland refusing")
        << QByteArray() << noWayland << QByteArray()
        << QStringLiteral("the Wayland display \"/nonexistent/wayland-9\" (WAYLAND_DISPLAY) "
                          "refuses a connection");
}

void HelpersTest::aDesktopSessionIsNeeded() {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    QSKIP("this system always has a desktop");
#else
    QFETCH(QByteArray, display);
    QFETCH(QByteArray, wayland);
    QFETCH(QByteArray, platform);
    QFETCH(QString, problem);

    const QByteArray names[] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
    const QByteArray values[] = {display, wayland, platform};
    QByteArray saved[3];
    for (int i = 0; i < 3; ++i) {
        saved[i] = qgetenv(names[i].constData());
        qputenv(names[i].constData(), values[i]);
    }
    const std::optional<QString> found = mervasto::desktopSessionProblem(std::nullopt);
    for (int i = 0; i < 3; ++i)
        qputenv(names[i].constData(), saved[i]);

    QCOMPARE(found.value_or(QString()), problem);
    if (found) {
        const QString message = mervasto::noDesktopSessionMessage(*found);
        QVERIFY(message.contains(problem));
        QVERIFY(message.contains(QStringLiteral("mervasto-cli --data-dir DIR search KEY")));
    }
#endif
}

namespace {

// A session of the given variables, in which only the displays named "answers" take a
// connection.
mervasto::SessionProbe fakeSession(const QString& platformVariable, const QString& display,
                                   const QString& wayland) {
    const QString answering = QStringLiteral("answers");
    return {[=](const char* name) {
                const QByteArray variable(name);
                return variable == "QT_QPA_PLATFORM"   ? platformVariable
                       : variable == "DISPLAY"         ? display
                       : variable == "WAYLAND_DISPLAY" ? wayland
                                                       : QString();
            },
            [=](const QString& name) { return name == answering; },
            [=](const QString& name) { return name == answering; }};
}

} // namespace

void HelpersTest::theDesktopCheckTriesEveryChosenPlatform_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("platformVariable");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("wayland");
    QTest::addColumn<QString>("problem");

    const QString up = QStringLiteral("answers"), down = QStringLiteral(":9");
    const QString none;
    const QString noX = QStringLiteral("the X display \":9\" (DISPLAY) does not answer");
    QTest::newRow("fallback list, only X running")
        << QStringList() << QStringLiteral("wayland;xcb") << up << none << none;
    QTest::newRow("fallback list, only Wayland running")
        << QStringList() << QStringLiteral("xcb;wayland-egl") << down << up << none;
    QTest::newRow("fallback list with options")
        << QStringList() << QStringLiteral("xcb:nograb;wayland:foo") << up << none << none;
    QTest::newRow("fallback list, nothing answers")
        << QStringList() << QStringLiteral("wayland;xcb") << down << none << noX;
    QTest::newRow("fallback list ending in offscreen")
        << QStringList() << QStringLiteral("xcb;offscreen") << none << none << none;
    QTest::newRow("empty entries only")
        << QStringList() << QStringLiteral(";;") << none << none
        << QStringLiteral("neither DISPLAY nor WAYLAND_DISPLAY is set");
    QTest::newRow("no session at all")
        << QStringList() << none << none << none
        << QStringLiteral("neither DISPLAY nor WAYLAND_DISPLAY is set");
    QTest::newRow("X11 alone, with only Wayland") << QStringList() << QStringLiteral("xcb") << none
                                                  << up << QStringLiteral("DISPLAY is not set");
    QTest::newRow("Wayland alone, with only X")
        << QStringList() << QStringLiteral("wayland") << up << none
        << QStringLiteral("WAYLAND_DISPLAY is not set");
    QTest::newRow("argument offscreen without a display")
        << QStringList{"mervasto", "-platform", "offscreen"} << none << none << none << none;
    QTest::newRow("argument with its value after =")
        << QStringList{"mervasto", "-platform=offscreen"} << none << none << none << none;
    QTest::newRow("argument with two dashes") << QStringList{"mervasto", "--platform", "minimal"}
                                              << QStringLiteral("xcb") << none << none << none;
    QTest::newRow("argument before the variable")
        << QStringList{"mervasto", "-platform", "xcb"} << QStringLiteral("offscreen") << down
        << none << noX;
    QTest::newRow("argument without a value")
        << QStringList{"mervasto", "-platform"} << QStringLiteral("offscreen") << none << none
        << none;
    QTest::newRow("the program's own name")
        << QStringList{"-platform=xcb"} << QStringLiteral("offscreen") << none << none << none;
}

void HelpersTest::theDesktopCheckTriesEveryChosenPlatform() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, platformVariable);
    QFETCH(QString, display);
    QFETCH(QString, wayland);
    QFETCH(QString, problem);

    std::vector<std::string> given;
    for (const QString& argument : arguments)
        given.push_back(argument.toStdString());
    const auto found = mervasto::desktopSessionProblem(
        mervasto::platformArgument(mervasto::withPlatformArgumentSplit(given)),
        fakeSession(platformVariable, display, wayland));
    QCOMPARE(found.value_or(QString()), problem);
}

void HelpersTest::platformArgumentIsSpelledAsTheToolkitReadsIt() {
    const std::vector<std::string> given{"mervasto", "--data-dir=/x", "-platform=xcb:nograb",
                                         "--platform=offscreen", "-platformtheme=gtk3"};
    const std::vector<std::string> expected{"mervasto",           "--data-dir=/x", "-platform",
                                            "xcb:nograb",         "-platform",     "offscreen",
                                            "-platformtheme=gtk3"};
    QCOMPARE(mervasto::withPlatformArgumentSplit(given), expected);

    mervasto::ArgumentVector vector(expected);
    QCOMPARE(vector.count(), 7);
    QCOMPARE(QByteArray(vector.values()[3]), QByteArray("xcb:nograb"));
    QCOMPARE(vector.values()[7], nullptr);
}

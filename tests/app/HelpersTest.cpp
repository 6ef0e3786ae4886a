#include "HelpersTest.h"

#include "FakeDesktop.h"
#include "app/DesktopSession.h"
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

void HelpersTest::aDesktopSessionIsNeeded_data() {
    QTest::addColumn<QByteArray>("display");
    QTest::addColumn<QByteArray>("wayland");
    QTest::addColumn<QByteArray>("platform");
    QTest::addColumn<bool>("available");

    QTest::newRow("X11") << QByteArray(":0") << QByteArray() << QByteArray() << true;
    QTest::newRow("Wayland") << QByteArray() << QByteArray("wayland-0") << QByteArray() << true;
    QTest::newRow("platform chosen")
        << QByteArray() << QByteArray() << QByteArray("offscreen") << true;
    QTest::newRow("none") << QByteArray() << QByteArray() << QByteArray() << false;
}

void HelpersTest::aDesktopSessionIsNeeded() {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    QSKIP("this system always has a desktop");
#else
    QFETCH(QByteArray, display);
    QFETCH(QByteArray, wayland);
    QFETCH(QByteArray, platform);
    QFETCH(bool, available);

    const QByteArray names[] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
    const QByteArray values[] = {display, wayland, platform};
    QByteArray saved[3];
    for (int i = 0; i < 3; ++i) {
        saved[i] = qgetenv(names[i].constData());
        qputenv(names[i].constData(), values[i]);
    }
    const bool result = mervasto::desktopSessionAvailable();
    for (int i = 0; i < 3; ++i)
        qputenv(names[i].constData(), saved[i]);

    QCOMPARE(result, available);
    QVERIFY(mervasto::noDesktopSessionMessage().contains(
        QStringLiteral("mervasto-cli --data-dir DIR search KEY")));
#endif
}

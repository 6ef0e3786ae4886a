#include "MainWindowTest.h"

#include "WindowHarness.h"
#include "app/frmAbout.h"

#include "data/LineWriter.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLockFile>
#include <QMenuBar>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>

using mervasto::Desktop;
using mervasto::test::shownText;
using mervasto::test::toText;

namespace {

const QString MissingIndexWarning =
    QStringLiteral("ZIPCODE.TXT が見つかりません。確認してください。");
const QString DatePrefix = QStringLiteral("郵便番号ﾃﾞｰﾀﾌｧｲﾙの更新日：");

int warningsIn(const mervasto::test::FakeDesktop& desktop) {
    int count = 0;
    for (const auto& message : desktop.messages) {
        if (message.text == MissingIndexWarning)
            ++count;
    }
    return count;
}

void writeIndex(const std::filesystem::path& dir, const std::vector<std::u16string>& lines) {
    mervasto::LineWriter index(dir / "ZIPID1.txt");
    for (const auto& line : lines)
        index.writeLine(line);
    index.close();
}

void setModified(const std::filesystem::path& file, const QDateTime& time) {
    QFile handle(toText(file));
    if (!handle.open(QIODevice::ReadWrite) ||
        !handle.setFileTime(time, QFileDevice::FileModificationTime))
        qFatal("cannot set the file time");
}

} // namespace

void MainWindowTest::controlsMatchTheLayout_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("geometry");

    const auto row = [](const char* name, const char* kind, const QString& text, QRect rect) {
        QTest::newRow(name) << QString::fromLatin1(name) << QByteArray(kind) << text << rect;
    };
    row("Label1", "QLabel", QStringLiteral("検索する住所・地名を入力して下さい。(&A)"),
        {32, 16, 217, 17});
    row("Text2", "QLineEdit", {}, {32, 32, 417, 25});
    row("Command4", "QPushButton", QStringLiteral("検索開始(&I)"), {456, 32, 97, 25});
    row("Command1", "QPushButton", QStringLiteral("次の検索(&N)"), {456, 64, 97, 25});
    row("Text1", "QLineEdit", {}, {32, 88, 161, 28});
    row("List2", "QListView", {}, {32, 152, 521, 182});
    row("Label2", "QLabel", QStringLiteral("郵便番号"), {32, 72, 89, 17});
    row("ProgressBar1", "QProgressBar", {}, {216, 64, 233, 17});
    row("Text4", "QLineEdit", {}, {32, 120, 417, 25});
    row("Command5", "QPushButton", QStringLiteral("中止(&S)"), {344, 88, 97, 25});
    row("Check1", "QCheckBox", QStringLiteral("事業所の個別郵便番号を検索する。(&C)"),
        {256, 15, 241, 17});
    row("Command2", "QPushButton", QStringLiteral("Command2"), {456, 128, 97, 12});
    row("Command3", "QPushButton", QStringLiteral("クリップボードへコピー"), {208, 88, 129, 25});
    row("Label3", "QLabel", QStringLiteral("Label3"), {256, 336, 289, 17});
}

void MainWindowTest::controlsMatchTheLayout() {
    QFETCH(QString, name);
    QFETCH(QByteArray, kind);
    QFETCH(QString, text);
    QFETCH(QRect, geometry);

    WindowHarness harness;
    harness.window = std::make_unique<mervasto::ZipCodeConv>(harness.context, harness.updates,
                                                             harness.lockPath());
    QWidget* const control = harness.control(name.toLatin1().constData());
    QVERIFY(control->inherits(kind.constData()));
    QCOMPARE(shownText(control), text);
    QCOMPARE(control->geometry(), geometry);
}

void MainWindowTest::controlsStartInTheirFirstState() {
    WindowHarness harness;
    harness.writeTables();
    harness.start();
    auto* const window = harness.window.get();

    QCOMPARE(window->windowTitle(), QStringLiteral("メルバスト"));
    QCOMPARE(window->centralWidget()->size(), QSize(588, 356));
    QCOMPARE(harness.control<QStatusBar>("StatusBar1")->geometry(),
             QRect(0, window->height() - 25, 588, 25));
    QVERIFY(harness.control("ProgressBar1")->isHidden());
    QVERIFY(harness.control("Command5")->isHidden());
    QVERIFY(!harness.control("Command5")->isEnabled());
    QVERIFY(harness.control("Command2")->isHidden());
    QVERIFY(!harness.control("Command3")->isEnabled());
    QVERIFY(!harness.control<QCheckBox>("Check1")->isChecked());
    QCOMPARE(harness.control("Text2")->toolTip(),
             QStringLiteral("入力する住所・地名は、丁目・番地は省いてください。"));
    QCOMPARE(harness.control("Text1")->palette().color(QPalette::Base), QColor(255, 192, 192));
    QCOMPARE(harness.control("Text1")->font().pointSizeF(), 14.25);
    for (const char* name : {"Text2", "Text4", "List2"}) {
        QCOMPARE(harness.control(name)->font().pointSizeF(), 11.25);
        QCOMPARE(harness.control(name)->font().families().first(),
                 QStringLiteral("ＭＳ Ｐゴシック"));
    }
    auto* const label3 = harness.control("Label3");
    QCOMPARE(label3->palette().color(QPalette::WindowText),
             label3->palette().color(QPalette::Dark));
    QCOMPARE(harness.control<QLabel>("Label1")->buddy(), harness.control("Text2"));
    QCOMPARE(QApplication::focusWidget(), harness.control("Text2"));
}

void MainWindowTest::resizingStretchesOnlyTheSeparatorLines() {
    WindowHarness harness;
    harness.writeTables();
    harness.start();
    auto* const window = harness.window.get();
    auto* const list = harness.control("List2");
    const QRect listBefore = list->geometry();
    QCOMPARE(harness.control("Line1")->width(), 588);

    window->resize(800, 600);
    QTRY_COMPARE(harness.control("Line1")->geometry(), QRect(0, 0, 800, 1));
    QCOMPARE(harness.control("Line2")->geometry(), QRect(0, 1, 800, 1));
    QCOMPARE(list->geometry(), listBefore);
    QCOMPARE(harness.control("StatusBar1")->width(), 800);
}

void MainWindowTest::startUpLoadsTheIndexAndShowsItsDate_data() {
    QTest::addColumn<QDateTime>("modified");
    QTest::addColumn<QString>("shown");
    QTest::newRow("afternoon") << QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9))
                               << QStringLiteral("2024/03/05 14:07:09");
    QTest::newRow("early morning")
        << QDateTime(QDate(2023, 11, 30), QTime(0, 0, 1)) << QStringLiteral("2023/11/30 0:00:01");
    QTest::newRow("midnight") << QDateTime(QDate(2022, 1, 1), QTime(0, 0))
                              << QStringLiteral("2022/01/01");
}

void MainWindowTest::startUpLoadsTheIndexAndShowsItsDate() {
    QFETCH(QDateTime, modified);
    QFETCH(QString, shown);

    WindowHarness harness;
    harness.writeTables();
    setModified(harness.dataDir / "ZIPID1.txt", modified);
    QVERIFY(harness.load());

    QCOMPARE(harness.filest.indexTable.Count, 6);
    QCOMPARE(harness.filest.indexTable.Key[0], u"北海道札幌市中央区");
    QCOMPARE(harness.control<QLabel>("Label3")->text(), DatePrefix + shown);
}

void MainWindowTest::anIndexWithoutFirstKeyIsWarnedAbout_data() {
    QTest::addColumn<bool>("writeFile");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("dateShown");
    QTest::addColumn<int>("warnings");

    QTest::newRow("no index") << false << QStringList() << 0 << false << 1;
    QTest::newRow("empty index") << true << QStringList() << 0 << true << 1;
    QTest::newRow("closing entry only") << true << QStringList{"", "", " 1 "} << 1 << true << 1;
    // The items read before the end stay in slot 0, uncounted: the first key is not empty.
    QTest::newRow("index ends inside its first entry")
        << true << QStringList{"東京都千代田区", "千代田区"} << 0 << false << 0;
    QTest::newRow("one city") << true
                              << QStringList{"東京都千代田区", "千代田区", " 1 ", "", "", " 3 "}
                              << 2 << true << 0;
}

void MainWindowTest::anIndexWithoutFirstKeyIsWarnedAbout() {
    QFETCH(bool, writeFile);
    QFETCH(QStringList, lines);
    QFETCH(int, count);
    QFETCH(bool, dateShown);
    QFETCH(int, warnings);

    WindowHarness harness;
    if (writeFile) {
        std::vector<std::u16string> texts;
        for (const QString& line : lines)
            texts.push_back(line.toStdU16String());
        writeIndex(harness.dataDir.path(), texts);
    }
    harness.start();

    QCOMPARE(harness.filest.indexTable.Count, count);
    QCOMPARE(harness.control<QLabel>("Label3")->text().startsWith(DatePrefix), dateShown);
    QTRY_COMPARE(warningsIn(harness.desktop), warnings);
    QTest::qWait(50);
    QCOMPARE(warningsIn(harness.desktop), warnings);
    if (warnings > 0) {
        const auto& message = harness.desktop.messages.first();
        QCOMPARE(message.title, QStringLiteral("Error Check"));
        QCOMPARE(message.icon, Desktop::Icon::Question);
        QCOMPARE(message.buttons, Desktop::Buttons::Ok);
    }
}

void MainWindowTest::theWarningComesBackAfterAnotherWindowOnly() {
    WindowHarness harness;
    harness.start();
    QTRY_COMPARE(warningsIn(harness.desktop), 1);
    // Closing the warning gives the window the focus back: that is no reason to warn again.
    harness.window->activateWindow();
    QTest::qWait(50);
    QCOMPARE(warningsIn(harness.desktop), 1);

    // Back from the About box: warned again, once.
    harness.window->findChild<QAction*>(QStringLiteral("mnuAbout"))->trigger();
    QTRY_VERIFY(qobject_cast<mervasto::frmAbout*>(QApplication::activeWindow()));
    QApplication::activeWindow()->close();
    harness.window->activateWindow();
    QTRY_COMPARE(warningsIn(harness.desktop), 2);
    QTest::qWait(50);
    QCOMPARE(warningsIn(harness.desktop), 2);
}

void MainWindowTest::storedPositionIsApplied_data() {
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QPoint>("position");

    // Where the window stands when the stored position is out of reach: in the middle.
    const QPoint centred(-1, -1);
    QTest::newRow("nothing stored") << QString() << QString() << QPoint(0, 0);
    QTest::newRow("whole twips") << QStringLiteral("1500") << QStringLiteral("750")
                                 << QPoint(100, 50);
    QTest::newRow("maximized window")
        << QStringLiteral("-60") << QStringLiteral("-60") << QPoint(-4, -4);
    QTest::newRow("fraction") << QStringLiteral("1507.5") << QStringLiteral(" 30 ")
                              << QPoint(101, 2);
    QTest::newRow("beyond the screen")
        << QStringLiteral("150000") << QStringLiteral("90000") << centred;
    QTest::newRow("title bar above the screen")
        << QStringLiteral("1500") << QStringLiteral("-3000") << centred;
    QTest::newRow("on a screen removed since, to the left")
        << QStringLiteral("-28800") << QStringLiteral("1500") << centred;
}

void MainWindowTest::storedPositionIsApplied() {
    QFETCH(QString, left);
    QFETCH(QString, top);
    QFETCH(QPoint, position);

    WindowHarness harness;
    if (!left.isNull())
        harness.desktop.settings[QStringLiteral("Settings/MainLeft")] = left;
    if (!top.isNull())
        harness.desktop.settings[QStringLiteral("Settings/MainTop")] = top;
    const auto stored = harness.desktop.settings;
    QVERIFY(harness.load());
    // What was stored is kept as it was, in twips, until the window closes.
    QCOMPARE(harness.desktop.settings, stored);
    if (position != QPoint(-1, -1)) {
        QCOMPARE(harness.window->pos(), position);
        return;
    }
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint middle = harness.window->geometry().center();
    QVERIFY(qAbs(middle.x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(middle.y() - screen.center().y()) <= 30);
    QVERIFY(screen.contains(harness.window->pos()));
}

// A value that is not a number must not stop the start-up: it counts as 0 and the index is
// loaded all the same.
void MainWindowTest::aPositionThatIsNotANumberStillLoadsTheIndex() {
    WindowHarness harness;
    harness.writeTables();
    harness.desktop.settings[QStringLiteral("Settings/MainLeft")] = QStringLiteral("900");
    harness.desktop.settings[QStringLiteral("Settings/MainTop")] = QStringLiteral("abc");
    harness.start();

    QCOMPARE(harness.window->pos(), QPoint(60, 0));
    QCOMPARE(harness.filest.indexTable.Count, 6);
    QVERIFY(harness.control<QLabel>("Label3")->text().startsWith(DatePrefix));
    QTest::qWait(50);
    QCOMPARE(warningsIn(harness.desktop), 0);
}

void MainWindowTest::closingStoresThePosition() {
    WindowHarness harness;
    harness.writeTables();
    harness.start();
    harness.window->move(123, 45);
    QTRY_COMPARE(harness.window->pos(), QPoint(123, 45));

    QVERIFY(harness.window->close());
    QCOMPARE(harness.desktop.settings.value(QStringLiteral("Settings/MainLeft")),
             QStringLiteral("1845"));
    QCOMPARE(harness.desktop.settings.value(QStringLiteral("Settings/MainTop")),
             QStringLiteral("675"));
}

void MainWindowTest::aSecondCopyIsRefused() {
    WindowHarness harness;
    harness.writeTables();
    QLockFile firstCopy(harness.lockPath());
    QVERIFY(firstCopy.tryLock(0));

    harness.desktop.settings[QStringLiteral("Settings/MainLeft")] = QStringLiteral("1500");
    harness.desktop.settings[QStringLiteral("Settings/MainTop")] = QStringLiteral("750");
    const auto firstCopysSettings = harness.desktop.settings;

    QVERIFY(!harness.load());
    QCOMPARE(harness.desktop.messages.size(), 1);
    const auto& message = harness.desktop.messages.first();
    QCOMPARE(message.text, QStringLiteral("メルバストは既に起動されています。"));
    QCOMPARE(message.title, QStringLiteral("Application already open "));
    QCOMPARE(message.icon, Desktop::Icon::Critical);
    QCOMPARE(message.buttons, Desktop::Buttons::Ok);
    // The refused copy stores nothing over the first copy's position and loads nothing.
    QCOMPARE(harness.desktop.settings, firstCopysSettings);
    QCOMPARE(harness.filest.indexTable.Count, 0);
    // The first copy keeps its lock.
    QVERIFY(firstCopy.isLocked());
}

void MainWindowTest::aLockLeftByACrashedCopyDoesNotBlock() {
    WindowHarness harness;
    harness.writeTables();
    // A lock file as a copy writes it, naming a process that has ended since.
    QByteArray lockContent;
    {
        QLockFile model(harness.lockPath());
        QVERIFY(model.tryLock(0));
        QFile file(harness.lockPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        lockContent = file.readAll();
        model.unlock();
    }
    QProcess ended;
    ended.start(QCoreApplication::applicationFilePath(), {QStringLiteral("-functions")});
    QVERIFY(ended.waitForStarted());
    const qint64 endedPid = ended.processId();
    QVERIFY(ended.waitForFinished());
    QVERIFY(endedPid > 0);
    lockContent.replace(0, lockContent.indexOf('\n'), QByteArray::number(endedPid));
    QFile stale(harness.lockPath());
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write(lockContent);
    stale.close();

    QVERIFY(harness.load());
    QVERIFY(harness.desktop.messages.isEmpty());
    QCOMPARE(harness.filest.indexTable.Count, 6);
    QFile taken(harness.lockPath());
    QVERIFY(taken.open(QIODevice::ReadOnly));
    QCOMPARE(taken.readLine().trimmed(), QByteArray::number(QCoreApplication::applicationPid()));
}

void MainWindowTest::aLockThatCannotBeWrittenRefusesNothing() {
    WindowHarness harness;
    harness.writeTables();
    mervasto::ZipCodeConv window(harness.context, harness.updates,
                                 toText(harness.lockDir / "missing" / "mervasto.lock"));
    QVERIFY(window.Form_Load());
    QVERIFY(harness.desktop.messages.isEmpty());
    QCOMPARE(harness.filest.indexTable.Count, 6);
}

void MainWindowTest::screenReadersHearEveryControl_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");

    QTest::newRow("search box") << "Text2"
                                << QStringLiteral("検索する住所・地名を入力して下さい。");
    QTest::newRow("code box") << "Text1" << QStringLiteral("郵便番号");
    QTest::newRow("search button") << "Command4" << QStringLiteral("検索開始");
    QTest::newRow("copy button") << "Command3" << QStringLiteral("クリップボードへコピー");
    QTest::newRow("mode switch") << "Check1" << QStringLiteral("事業所の個別郵便番号を検索する。");
    QTest::newRow("result list") << "List2" << QStringLiteral("検索結果");
}

void MainWindowTest::screenReadersHearEveryControl() {
    QFETCH(QString, control);
    QFETCH(QString, name);

    WindowHarness harness;
    harness.writeTables();
    harness.start();
    const auto said = [](QWidget* widget, QAccessible::Text text) {
        return QAccessible::queryAccessibleInterface(widget)->text(text);
    };
    QWidget* const widget = harness.control(qPrintable(control));
    QCOMPARE(said(widget, QAccessible::Name), name);
    if (control == QLatin1String("Text2"))
        QCOMPARE(said(widget, QAccessible::Description), widget->toolTip());

    // No control that takes the focus is left without a name and a description.
    for (QWidget* const other : harness.window->findChildren<QWidget*>()) {
        if (other->focusPolicy() == Qt::NoFocus || !other->isVisibleTo(harness.window.get()))
            continue;
        QVERIFY2(!said(other, QAccessible::Name).isEmpty(), qPrintable(other->objectName()));
        QVERIFY2(!said(other, QAccessible::Description).isEmpty(), qPrintable(other->objectName()));
    }
}

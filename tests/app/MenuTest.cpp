#include "MenuTest.h"

#include "WindowHarness.h"
#include "app/frmAbout.h"
#include "builders/dialogs/ZipCodeConv1.h"
#include "builders/dialogs/ZipCodeConv3.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using mervasto::test::toText;

namespace {

void trigger(WindowHarness& harness, const char* item) {
    auto* const action = harness.window->findChild<QAction*>(QLatin1String(item));
    if (!action)
        qFatal("no menu item %s", item);
    action->trigger();
}

template <typename Window> QList<Window*> openWindows() {
    QList<Window*> found;
    for (QWidget* const widget : QApplication::topLevelWidgets()) {
        if (auto* const window = qobject_cast<Window*>(widget); window && window->isVisible())
            found << window;
    }
    return found;
}

// "name|caption|shortcut" for each entry of a menu, separators as "name|-|".
QStringList entriesOf(const QList<QAction*>& actions) {
    QStringList entries;
    for (const QAction* const action : actions) {
        entries << action->objectName() + u'|' +
                       (action->isSeparator() ? QStringLiteral("-") : action->text()) + u'|' +
                       action->shortcut().toString(QKeySequence::PortableText);
    }
    return entries;
}

} // namespace

void MenuTest::menuTreeMatchesTheLayout_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("menu bar") << QString()
                              << QStringList{"mnuFile|ﾌｧｲﾙ(&F)|", "mnuEdit|編集(&E)|",
                                             "mnuHelp|ﾍﾙﾌﾟ(&H)|"};
    QTest::newRow("mnuFile") << QStringLiteral("mnuFile")
                             << QStringList{"mnuNew|全国版の郵便番号表作成(&K)|",
                                            "mnuNew2|事業所の個別郵便番号表作成(&C)|",
                                            "mnuBatch|住所一覧から郵便番号を一括変換(&B)...|",
                                            "mnuUpdate|郵便番号データの更新(&U)...|",
                                            "mnuRevert|以前の郵便番号データに戻す(&R)...|",
                                            "mnuBar1|-|",
                                            "mnuClose|閉じる(&X)|"};
    QTest::newRow("mnuEdit") << QStringLiteral("mnuEdit")
                             << QStringList{"mnuEditUndo|元に戻す(&U)|", "mnuBar|-|",
                                            "mnuEditCut|切り取り(&T)|Ctrl+X",
                                            "mnuEditCopy|ｺﾋﾟｰ(&C)|Ctrl+C",
                                            "mnuEditPaste|貼り付け(&P)|Ctrl+V"};
    QTest::newRow("mnuHelp") << QStringLiteral("mnuHelp")
                             << QStringList{"mnuHTmlhelp|目次とｷｰﾜｰﾄﾞ(&H)|", "mnuBar2|-|",
                                            "mnuAbout|ﾊﾞｰｼﾞｮﾝ情報(&A)|"};
}

void MenuTest::menuTreeMatchesTheLayout() {
    QFETCH(QString, menu);
    QFETCH(QStringList, entries);

    WindowHarness harness;
    harness.window = std::make_unique<mervasto::ZipCodeConv>(harness.context, harness.updates,
                                                             harness.lockPath());
    const QList<QAction*> actions = menu.isEmpty()
                                        ? harness.window->menuBar()->actions()
                                        : harness.window->findChild<QMenu*>(menu)->actions();
    QCOMPARE(entriesOf(actions), entries);
    for (const QAction* const action : actions) // nothing to go back to in a new directory
        QVERIFY(action->isEnabled() == (action->objectName() != "mnuRevert") &&
                action->isVisible());
}

void MenuTest::editCommandsActOnTheFocusedTextBox_data() {
    QTest::addColumn<QByteArray>("box");
    QTest::addColumn<QByteArray>("item");
    QTest::addColumn<QString>("clipboardBefore");
    QTest::addColumn<QString>("textAfter");
    QTest::addColumn<QString>("clipboardAfter");

    // Each box holds "東京都千代田区" with "千代田" selected.
    QTest::newRow("cut in Text2") << QByteArray("Text2") << QByteArray("mnuEditCut")
                                  << QStringLiteral("x") << QStringLiteral("東京都区")
                                  << QStringLiteral("千代田");
    QTest::newRow("copy in Text1")
        << QByteArray("Text1") << QByteArray("mnuEditCopy") << QStringLiteral("x")
        << QStringLiteral("東京都千代田区") << QStringLiteral("千代田");
    QTest::newRow("paste in Text4")
        << QByteArray("Text4") << QByteArray("mnuEditPaste") << QStringLiteral("中央")
        << QStringLiteral("東京都中央区") << QStringLiteral("中央");
    QTest::newRow("undo in Text2")
        << QByteArray("Text2") << QByteArray("mnuEditUndo") << QStringLiteral("x")
        << QStringLiteral("東京都千代田区新宿") << QStringLiteral("x");
}

void MenuTest::editCommandsActOnTheFocusedTextBox() {
    QFETCH(QByteArray, box);
    QFETCH(QByteArray, item);
    QFETCH(QString, clipboardBefore);
    QFETCH(QString, textAfter);
    QFETCH(QString, clipboardAfter);

    WindowHarness harness;
    harness.writeTables();
    harness.start();
    auto* const textBox = harness.control<QLineEdit>(box.constData());
    textBox->setFocus();
    textBox->setText(QStringLiteral("東京都千代田区新宿"));
    QTest::keyClick(textBox, Qt::Key_Backspace);
    QTest::keyClick(textBox, Qt::Key_Backspace);
    textBox->setSelection(3, 3);
    QGuiApplication::clipboard()->setText(clipboardBefore);

    trigger(harness, item.constData());
    QCOMPARE(textBox->text(), textAfter);
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboardAfter);
}

void MenuTest::editCommandsLeaveOtherControlsAlone() {
    WindowHarness harness;
    harness.writeTables();
    harness.start();
    searchFromKeyboard(harness, QStringLiteral("千代田区"));
    auto* const list = harness.control<QListView>("List2");
    const int lines = list->model()->rowCount();
    list->setFocus();
    QGuiApplication::clipboard()->setText(QStringLiteral("x"));

    for (const char* item : {"mnuEditUndo", "mnuEditCut", "mnuEditCopy", "mnuEditPaste"})
        trigger(harness, item);
    QCOMPARE(list->model()->rowCount(), lines);
    QCOMPARE(harness.control<QLineEdit>("Text2")->text(), QStringLiteral("千代田区"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("x"));
}

void MenuTest::helpOpensTheHelpFile() {
    WindowHarness harness;
    harness.writeTables();
    harness.context.programDir = harness.dataDir.path(); // the help file lies beside the program
    mervasto::test::writeBytes(harness.dataDir / "ZipCode.chm", "help");
    harness.start();

    trigger(harness, "mnuHTmlhelp");
    QCOMPARE(harness.desktop.openedFiles, QStringList{toText(harness.dataDir / "ZipCode.chm")});
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void MenuTest::closeLeavesTheAboutBoxOpen() {
    WindowHarness harness;
    harness.writeTables();
    harness.start();
    trigger(harness, "mnuAbout");
    QCOMPARE(openWindows<mervasto::frmAbout>().size(), 1);

    trigger(harness, "mnuClose");
    QVERIFY(!harness.window->isVisible());
    QVERIFY(harness.desktop.settings.contains(QStringLiteral("Settings/MainLeft")));
    QCOMPARE(openWindows<mervasto::frmAbout>().size(), 1);
}

void MenuTest::nationalBuilderIsModal() {
    WindowHarness harness;
    harness.writeTables();
    harness.start();
    QByteArray shownClass;
    Qt::WindowModality modality = Qt::NonModal;
    QWidget* shownParent = nullptr;
    QTimer::singleShot(0, harness.window.get(), [&] {
        QWidget* const shown = QApplication::activeModalWidget();
        if (!shown)
            return;
        shownClass = shown->metaObject()->className();
        modality = shown->windowModality();
        shownParent = shown->parentWidget();
        shown->close();
    });

    trigger(harness, "mnuNew");
    QCOMPARE(shownClass, QByteArray("mervasto::ZipCodeConv1"));
    QCOMPARE(modality, Qt::ApplicationModal);
    QCOMPARE(shownParent, harness.window.get());
    // Closed and gone once the menu command has returned.
    QVERIFY(!harness.window->findChild<mervasto::ZipCodeConv1*>());
}

void MenuTest::officeBuilderIsModelessAndSingle() {
    WindowHarness harness;
    harness.writeTables();
    harness.start();

    trigger(harness, "mnuNew2");
    trigger(harness, "mnuNew2");
    const auto builders = openWindows<mervasto::ZipCodeConv3>();
    QCOMPARE(builders.size(), 1);
    QPointer<mervasto::ZipCodeConv3> builder = builders.first();
    QCOMPARE(builder->windowModality(), Qt::NonModal);
    QCOMPARE(builder->parentWidget(), nullptr);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QTRY_COMPARE(QApplication::activeWindow(), builder.data());

    // The main window still takes input while the builder is open.
    harness.window->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), harness.window.get());
    searchFromKeyboard(harness, QStringLiteral("東京都千代田区霞が関"));
    QCOMPARE(harness.window->statusText(), QStringLiteral("2件　見つかりました。"));

    builder->close();
    QTRY_VERIFY(builder.isNull());
    trigger(harness, "mnuNew2");
    QCOMPARE(openWindows<mervasto::ZipCodeConv3>().size(), 1);
}

void MenuTest::aboutBoxIsModelessAndSingle() {
    WindowHarness harness;
    harness.writeTables();
    harness.start();

    trigger(harness, "mnuAbout");
    harness.window->activateWindow();
    trigger(harness, "mnuAbout");
    const auto boxes = openWindows<mervasto::frmAbout>();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first()->windowModality(), Qt::NonModal);
    QCOMPARE(boxes.first()->parentWidget(), nullptr);
    QTRY_COMPARE(QApplication::activeWindow(), boxes.first());
}

void MenuTest::aboutBoxShowsTheVersion() {
    mervasto::frmAbout about;
    QCOMPARE(about.windowTitle(), QStringLiteral("Mervastoのﾊﾞｰｼﾞｮﾝ情報"));
    QCOMPARE(about.size(), QSize(382, 198));
    const auto text = [&](const char* name) {
        return about.findChild<QLabel*>(QLatin1String(name))->text();
    };
    QCOMPARE(text("lblVersion"), QStringLiteral("ﾊﾞｰｼﾞｮﾝ " MERVASTO_TEST_VERSION));
    QCOMPARE(text("Label1"), QStringLiteral("メルバストソフト"));
    QCOMPARE(text("lblTitle"), QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝ ﾀｲﾄﾙ"));
    QCOMPARE(text("lblDescription"), QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの説明"));
    QCOMPARE(text("Label3"), QStringLiteral("郵便局発行の郵便番号簿を元に郵便番号を検索します。"));
    QVERIFY(text("Label2").contains(QStringLiteral("メルバストソフト")));
    QVERIFY(!about.findChild<QLabel*>(QStringLiteral("picIcon"))->pixmap().isNull());
    auto* const ok = about.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(ok->geometry(), QRect(280, 168, 92, 23));
    QVERIFY(ok->isDefault());
}

void MenuTest::aboutBoxClosesWithEnterAndEsc_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void MenuTest::aboutBoxClosesWithEnterAndEsc() {
    QFETCH(int, key);

    WindowHarness harness;
    harness.writeTables();
    harness.start();
    trigger(harness, "mnuAbout");
    QPointer<mervasto::frmAbout> about = openWindows<mervasto::frmAbout>().value(0);
    QVERIFY(about);
    QTRY_COMPARE(QApplication::activeWindow(), about.data());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QTRY_VERIFY(about.isNull());
    QVERIFY(harness.window->isVisible());
}

#include "BuilderDialogsTest.h"

#include "DialogTestHarness.h"
#include "builders/dialogs/ZipCodeConv3.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <optional>

using mervasto::Desktop;
using mervasto::test::findControl;
using mervasto::test::shownText;
using mervasto::test::toText;

namespace {

const QString National = QStringLiteral("ZipCodeConv1");
const QString Office = QStringLiteral("ZipCodeConv3");

void start(QWidget* dialog, const QString& csv) {
    findControl<QLineEdit>(*dialog, "Text1")->setText(csv);
    findControl<QPushButton>(*dialog, "Command1")->click();
}

bool command3Shown(QWidget* dialog) {
    return findControl(*dialog, "Command3")->isVisibleTo(dialog);
}

void addRowsForBothDialogs() {
    QTest::addColumn<QString>("dialogName");
    QTest::newRow("national") << National;
    QTest::newRow("office") << Office;
}

} // namespace

void BuilderDialogsTest::controlsMatchTheLayout_data() {
    QTest::addColumn<QString>("dialogName");
    QTest::addColumn<QString>("controlName");
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("geometry");

    QTest::newRow("ZipCodeConv1 Label1")
        << National << "Label1" << QByteArray("QLabel")
        << QStringLiteral("ﾌｧｲﾙ名：　\\Ken_all.csv　のパスを入力してください。")
        << QRect(24, 16, 265, 25);
    QTest::newRow("ZipCodeConv1 Text1")
        << National << "Text1" << QByteArray("QLineEdit") << QString() << QRect(24, 32, 289, 25);
    QTest::newRow("ZipCodeConv1 Command2") << National << "Command2" << QByteArray("QPushButton")
                                           << QStringLiteral("参照(&B)") << QRect(320, 32, 105, 25);
    QTest::newRow("ZipCodeConv1 Command1") << National << "Command1" << QByteArray("QPushButton")
                                           << QStringLiteral("開始(&S)") << QRect(320, 72, 105, 25);
    QTest::newRow("ZipCodeConv1 ProgressBar1")
        << National << "ProgressBar1" << QByteArray("QProgressBar") << QString()
        << QRect(24, 72, 289, 17);
    QTest::newRow("ZipCodeConv1 Command3")
        << National << "Command3" << QByteArray("QPushButton") << QStringLiteral("完了(&X)")
        << QRect(320, 104, 105, 25);

    QTest::newRow("ZipCodeConv3 Label1")
        << Office << "Label1" << QByteArray("QLabel")
        << QStringLiteral("ﾌｧｲﾙ名：　\\Jigyosyo.csv　のパスを入力してください。")
        << QRect(24, 16, 289, 25);
    QTest::newRow("ZipCodeConv3 Text1")
        << Office << "Text1" << QByteArray("QLineEdit") << QString() << QRect(24, 32, 289, 25);
    QTest::newRow("ZipCodeConv3 ProgressBar1")
        << Office << "ProgressBar1" << QByteArray("QProgressBar") << QString()
        << QRect(24, 72, 289, 17);
    QTest::newRow("ZipCodeConv3 Command2") << Office << "Command2" << QByteArray("QPushButton")
                                           << QStringLiteral("参照(&B)") << QRect(320, 32, 97, 25);
    QTest::newRow("ZipCodeConv3 Command1") << Office << "Command1" << QByteArray("QPushButton")
                                           << QStringLiteral("開始(&S)") << QRect(320, 72, 97, 25);
    QTest::newRow("ZipCodeConv3 Command3") << Office << "Command3" << QByteArray("QPushButton")
                                           << QStringLiteral("完了(&X)") << QRect(320, 104, 97, 25);

    // The window itself: its caption and its fixed client area of 7020 x 2040 twips.
    QTest::newRow("ZipCodeConv1 window")
        << National << QString() << QByteArray("mervasto::ZipCodeConv1")
        << QStringLiteral("解凍した KEN_ALL.CSV ﾌｧｲﾙから ZIPCODE.1TXT ﾌｧｲﾙを作成します。")
        << QRect(0, 0, 468, 136);
    QTest::newRow("ZipCodeConv3 window")
        << Office << QString() << QByteArray("mervasto::ZipCodeConv3")
        << QStringLiteral("解凍した JIGYOSYO.CSV ﾌｧｲﾙから ZIPCODE2.TXT ﾌｧｲﾙを作成します。")
        << QRect(0, 0, 468, 136);
}

void BuilderDialogsTest::controlsMatchTheLayout() {
    QFETCH(QString, dialogName);
    QFETCH(QString, controlName);
    QFETCH(QByteArray, kind);
    QFETCH(QString, text);
    QFETCH(QRect, geometry);
    DialogTestHarness harness;
    const auto dialog = harness.makeDialog(dialogName);

    if (controlName.isEmpty()) {
        QCOMPARE(dialog->objectName(), dialogName);
        QCOMPARE(QByteArray(dialog->metaObject()->className()), kind);
        QCOMPARE(dialog->windowTitle(), text);
        QCOMPARE(dialog->size(), geometry.size());
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        return;
    }
    QWidget* widget = findControl(*dialog, qPrintable(controlName));
    QCOMPARE(QByteArray(widget->metaObject()->className()), kind);
    QCOMPARE(shownText(widget), text);
    if (kind == "QLabel") {
        // The prompt may grow to the right when the font is wider than the layout's.
        QCOMPARE(widget->pos(), geometry.topLeft());
        QCOMPARE(widget->height(), geometry.height());
        QVERIFY(widget->width() >= geometry.width());
        QVERIFY(widget->width() >= widget->sizeHint().width());
        return;
    }
    QCOMPARE(widget->geometry(), geometry);
}

void BuilderDialogsTest::opensWithCommand1FocusedAndCommand3Hidden_data() {
    addRowsForBothDialogs();
}

void BuilderDialogsTest::opensWithCommand1FocusedAndCommand3Hidden() {
    QFETCH(QString, dialogName);
    DialogTestHarness harness;
    const auto dialog = harness.makeDialog(dialogName);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));

    QWidget* command1 = findControl(*dialog, "Command1");
    QCOMPARE(dialog->focusWidget(), command1);
    QVERIFY(!command3Shown(dialog.get()));
    QVERIFY(findControl<QLineEdit>(*dialog, "Text1")->text().isEmpty());

    QStringList tabOrder;
    QWidget* widget = command1;
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            tabOrder << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != command1);
    QCOMPARE(tabOrder, QStringList({"Command1", "Command2", "Text1", "Command3"}));
}

void BuilderDialogsTest::keysActOnlyOnAFocusedButton_data() {
    QTest::addColumn<QString>("dialogName");
    QTest::addColumn<QString>("focused");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("fileDialogs");

    QTest::newRow("national, Enter in the path box") << National << "Text1" << +Qt::Key_Return << 0;
    QTest::newRow("national, Enter on browse") << National << "Command2" << +Qt::Key_Return << 1;
    QTest::newRow("office, Enter in the path box") << Office << "Text1" << +Qt::Key_Return << 0;
    QTest::newRow("office, Enter on browse") << Office << "Command2" << +Qt::Key_Return << 1;
    // Only the done button, the close box and the answer Cancel close the dialogs.
    QTest::newRow("national, Esc in the path box") << National << "Text1" << +Qt::Key_Escape << 0;
    QTest::newRow("office, Esc on start") << Office << "Command1" << +Qt::Key_Escape << 0;
}

void BuilderDialogsTest::keysActOnlyOnAFocusedButton() {
    QFETCH(QString, dialogName);
    QFETCH(QString, focused);
    QFETCH(int, key);
    QFETCH(int, fileDialogs);
    DialogTestHarness harness;
    const auto dialog = harness.makeDialog(dialogName);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    findControl<QLineEdit>(*dialog, "Text1")->setText(harness.writeInput(dialogName, 1));
    QWidget* target = findControl(*dialog, qPrintable(focused));
    target->setFocus();
    QSignalSpy closed(dialog.get(), &QDialog::finished);

    QTest::keyClick(target, Qt::Key(key));

    QCOMPARE(harness.desktop.fileFilters.size(), fileDialogs);
    QCOMPARE(harness.desktop.beeps, 0);
    QVERIFY(dialog->isVisible());
    QCOMPARE(closed.size(), 0);
}

// An access key presses its button at once, not after an animated click.
void BuilderDialogsTest::accessKeysPressAtOnce_data() {
    addRowsForBothDialogs();
}

void BuilderDialogsTest::accessKeysPressAtOnce() {
    QFETCH(QString, dialogName);
    DialogTestHarness harness;
    const auto dialog = harness.makeDialog(dialogName);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    harness.desktop.chosenFiles.push_back(harness.writeInput(dialogName, 1));

    QTest::keyClick(dialog.get(), Qt::Key_B, Qt::AltModifier);
    QCOMPARE(harness.desktop.fileFilters.size(), 1);
    QTest::keyClick(dialog.get(), Qt::Key_S, Qt::AltModifier);
    QCOMPARE(harness.desktop.beeps, 1);
    QVERIFY(command3Shown(dialog.get()));
}

void BuilderDialogsTest::startWithEmptyPathDoesNothing_data() {
    addRowsForBothDialogs();
}

void BuilderDialogsTest::startWithEmptyPathDoesNothing() {
    QFETCH(QString, dialogName);
    DialogTestHarness harness;
    const auto dialog = harness.makeDialog(dialogName);
    dialog->show();
    const int valueBefore = findControl<QProgressBar>(*dialog, "ProgressBar1")->value();

    start(dialog.get(), QString());

    QVERIFY(harness.desktop.messages.isEmpty());
    QCOMPARE(harness.desktop.beeps, 0);
    QCOMPARE(harness.snapshot(), std::string());
    QCOMPARE(findControl<QProgressBar>(*dialog, "ProgressBar1")->value(), valueBefore);
    QVERIFY(!command3Shown(dialog.get()));
    QVERIFY(dialog->isVisible());
}

void BuilderDialogsTest::browseFillsPathUnlessCancelled_data() {
    QTest::addColumn<QString>("dialogName");
    QTest::addColumn<std::optional<QString>>("chosen");
    QTest::addColumn<QString>("text1After");

    const QString chosen = QStringLiteral("/home/利用者/ダウンロード/KEN_ALL.CSV");
    QTest::newRow("national, file chosen") << National << std::optional(chosen) << chosen;
    QTest::newRow("national, cancelled")
        << National << std::optional<QString>() << QStringLiteral("typed before");
    QTest::newRow("office, file chosen") << Office << std::optional(chosen) << chosen;
    QTest::newRow("office, cancelled")
        << Office << std::optional<QString>() << QStringLiteral("typed before");
}

void BuilderDialogsTest::browseFillsPathUnlessCancelled() {
    QFETCH(QString, dialogName);
    QFETCH(std::optional<QString>, chosen);
    QFETCH(QString, text1After);
    DialogTestHarness harness;
    const auto dialog = harness.makeDialog(dialogName);
    findControl<QLineEdit>(*dialog, "Text1")->setText(QStringLiteral("typed before"));
    harness.desktop.chosenFiles.push_back(chosen);

    findControl<QPushButton>(*dialog, "Command2")->click();

    QCOMPARE(harness.desktop.fileFilters,
             QStringList{QStringLiteral("CSVファイル(*.csv)|*.csv|ZIPファイル(*.zip)|*.zip")});
    QCOMPARE(findControl<QLineEdit>(*dialog, "Text1")->text(), text1After);
    QVERIFY(harness.desktop.messages.isEmpty());
}

void BuilderDialogsTest::completedBuildBeepsAndShowsCommand3_data() {
    QTest::addColumn<QString>("dialogName");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("progressMaximum");
    QTest::addColumn<std::string>("tables");

    const std::string national("TableSources.txt\nZIPCODE.txt\nZIPID1.txt\nZipCode1.txt\n");
    QTest::newRow("national") << National << 3 << 150000 << national;
    QTest::newRow("office") << Office << 3 << 50000
                            << std::string("TableSources.txt\nZipCode2.txt\n");
}

void BuilderDialogsTest::completedBuildBeepsAndShowsCommand3() {
    QFETCH(QString, dialogName);
    QFETCH(int, rows);
    QFETCH(int, progressMaximum);
    QFETCH(std::string, tables);
    DialogTestHarness harness;
    const auto dialog = harness.makeDialog(dialogName);
    dialog->show();

    start(dialog.get(), harness.writeInput(dialogName, rows));

    QVERIFY(harness.desktop.messages.isEmpty());
    QCOMPARE(harness.desktop.beeps, 1);
    QVERIFY(command3Shown(dialog.get()));
    QVERIFY(dialog->isVisible());
    const auto* bar = findControl<QProgressBar>(*dialog, "ProgressBar1");
    QCOMPARE(bar->maximum(), progressMaximum);
    QCOMPARE(bar->value(), progressMaximum);
    QCOMPARE(mervasto::test::listDirectory(harness.dataDir.path()), tables);
}

void BuilderDialogsTest::nationalBuildRefillsIndexTable() {
    DialogTestHarness harness;
    auto& index = harness.filest.indexTable;
    index.Key[5] = u"前の表の残り";
    const auto dialog = harness.makeDialog(National);

    start(dialog.get(), harness.writeInput(National, 3));

    QCOMPARE(index.Count, 3);
    QCOMPARE(index.Key[0], std::u16string(u"東京都千代田区"));
    QCOMPARE(index.City[0], std::u16string(u"千代田区"));
    QCOMPARE(index.FirstRecord[0], 1);
    QCOMPARE(index.Key[1], std::u16string(u"東京都中央区"));
    QCOMPARE(index.FirstRecord[1], 3);
    QCOMPARE(index.Key[2], std::u16string());
    QCOMPARE(index.FirstRecord[2], 4);
    QCOMPARE(index.Key[5], std::u16string(u"前の表の残り"));
}

void BuilderDialogsTest::overwriteAnswers_data() {
    QTest::addColumn<QString>("dialogName");
    QTest::addColumn<QString>("question");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("rebuilt");
    QTest::addColumn<bool>("staysOpen");
    QTest::addColumn<int>("indexCount");

    const QString national =
        QStringLiteral("既に ZIPCODE.TXT データがあります。新規に作成しますか？");
    const QString office =
        QStringLiteral("既に ZipCode2.txt データがあります。新規に作成しますか？");
    const auto yes = static_cast<int>(Desktop::Answer::Yes);
    const auto no = static_cast<int>(Desktop::Answer::No);
    const auto cancel = static_cast<int>(Desktop::Answer::Cancel);
    QTest::newRow("national, Yes") << National << national << yes << true << true << 3;
    QTest::newRow("national, No") << National << national << no << false << true << 2;
    QTest::newRow("national, Cancel") << National << national << cancel << false << false << 2;
    QTest::newRow("office, Yes") << Office << office << yes << true << true << 0;
    QTest::newRow("office, No") << Office << office << no << false << true << 0;
    QTest::newRow("office, Cancel") << Office << office << cancel << false << false << 0;
}

void BuilderDialogsTest::overwriteAnswers() {
    QFETCH(QString, dialogName);
    QFETCH(QString, question);
    QFETCH(int, answer);
    QFETCH(bool, rebuilt);
    QFETCH(bool, staysOpen);
    QFETCH(int, indexCount);
    DialogTestHarness harness;
    const auto dialog = harness.makeDialog(dialogName);
    dialog->show();
    start(dialog.get(), harness.writeInput(dialogName, 2));
    QCOMPARE(harness.desktop.beeps, 1);
    const auto tablesBefore = harness.snapshot();
    QSignalSpy finished(dialog.get(), &QDialog::finished);

    harness.desktop.answers.push_back(static_cast<Desktop::Answer>(answer));
    start(dialog.get(), harness.writeInput(dialogName, 3));

    QCOMPARE(harness.desktop.messages.size(), 1);
    const auto& asked = harness.desktop.messages.front();
    QCOMPARE(asked.text, question);
    QCOMPARE(asked.title, QStringLiteral("ファイルに保存"));
    QCOMPARE(asked.icon, Desktop::Icon::Information);
    QCOMPARE(asked.buttons, Desktop::Buttons::YesNoCancel);
    QCOMPARE(harness.snapshot() != tablesBefore, rebuilt);
    QCOMPARE(harness.desktop.beeps, rebuilt ? 2 : 1);
    QCOMPARE(dialog->isVisible(), staysOpen);
    QCOMPARE(finished.size(), staysOpen ? 0 : 1);
    QCOMPARE(harness.filest.indexTable.Count, indexCount);
}

void BuilderDialogsTest::failureShowsErrorAndKeepsEverything_data() {
    QTest::addColumn<QString>("dialogName");
    QTest::addColumn<bool>("builtBefore");
    QTest::addColumn<QString>("input"); // "missing", or the dialog whose input is given

    QTest::newRow("national, first build") << National << false << "missing";
    QTest::newRow("national, after a build") << National << true << "missing";
    QTest::newRow("office, first build") << Office << false << "missing";
    QTest::newRow("office, after a build") << Office << true << "missing";
    QTest::newRow("national, given the office file") << National << true << Office;
    QTest::newRow("office, given the national file") << Office << true << National;
}

void BuilderDialogsTest::failureShowsErrorAndKeepsEverything() {
    QFETCH(QString, dialogName);
    QFETCH(bool, builtBefore);
    QFETCH(QString, input);
    DialogTestHarness harness;
    const auto dialog = harness.makeDialog(dialogName);
    dialog->show();
    if (builtBefore)
        start(dialog.get(), harness.writeInput(dialogName, 3));
    const auto tablesBefore = harness.snapshot();
    const auto indexCountBefore = harness.filest.indexTable.Count;
    const int beepsBefore = harness.desktop.beeps;
    const QString csv = input == QLatin1String("missing") ? toText(harness.inputDir / "無い.CSV")
                                                          : harness.writeInput(input, 3);
    harness.desktop.answers.push_back(Desktop::Answer::Yes);

    start(dialog.get(), csv);
    harness.desktop.messages.removeIf(
        [](const auto& message) { return message.title == QStringLiteral("ファイルに保存"); });

    QCOMPARE(harness.desktop.messages.size(), 1);
    const auto& shown = harness.desktop.messages.front();
    QCOMPARE(shown.text, QStringLiteral(" エラーが発生しました。作業を中止します。"));
    QCOMPARE(shown.title, QStringLiteral("メルバスト"));
    QCOMPARE(shown.icon, Desktop::Icon::Information);
    QCOMPARE(shown.buttons, Desktop::Buttons::Ok);
    QCOMPARE(harness.desktop.beeps, beepsBefore);
    QCOMPARE(command3Shown(dialog.get()), builtBefore);
    QVERIFY(dialog->isVisible());
    QCOMPARE(harness.snapshot(), tablesBefore);
    QCOMPARE(harness.filest.indexTable.Count, indexCountBefore);
}

void BuilderDialogsTest::substitutionsAreShownAfterTheBuild_data() {
    addRowsForBothDialogs();
}

// A UTF-8 file's characters that the tables cannot hold are counted in Label2, without a
// message box; a later build without any hides the count.
void BuilderDialogsTest::substitutionsAreShownAfterTheBuild() {
    QFETCH(QString, dialogName);
    DialogTestHarness harness;
    const auto dialog = harness.makeDialog(dialogName);
    dialog->show();
    const auto* label = findControl<QLabel>(*dialog, "Label2");
    QVERIFY(!label->isVisibleTo(dialog.get()));

    start(dialog.get(), harness.writeInput(dialogName, 3, DialogTestHarness::Encoding::Utf8Lossy));

    QVERIFY(harness.desktop.messages.isEmpty());
    QCOMPARE(harness.desktop.beeps, 1);
    QVERIFY(label->isVisibleTo(dialog.get()));
    QCOMPARE(label->text(), QStringLiteral("CP932 で表せない文字 3 個を「〓」に置き換えました。"));

    harness.desktop.answers.push_back(Desktop::Answer::Yes);
    start(dialog.get(), harness.writeInput(dialogName, 3));
    QVERIFY(!label->isVisibleTo(dialog.get()));
}

void BuilderDialogsTest::modalDialogReturnsFromExec_data() {
    QTest::addColumn<bool>("byCancelAnswer");
    QTest::newRow("done button") << false;
    QTest::newRow("Cancel to the overwrite question") << true;
}

void BuilderDialogsTest::modalDialogReturnsFromExec() {
    QFETCH(bool, byCancelAnswer);
    DialogTestHarness harness;
    const auto dialog = harness.makeDialog(National);
    const QString csv = harness.writeInput(National, 2);
    if (byCancelAnswer) {
        start(dialog.get(), csv);
        harness.desktop.answers.push_back(Desktop::Answer::Cancel);
    }
    QTimer::singleShot(0, dialog.get(), [&] {
        if (byCancelAnswer)
            start(dialog.get(), csv);
        else
            findControl<QPushButton>(*dialog, "Command3")->click();
    });
    // Only a dialog that failed to close is still open when this fires.
    QTimer::singleShot(10000, dialog.get(), [&] { dialog->done(-1); });

    QCOMPARE(dialog->exec(), int(QDialog::Rejected));
}

void BuilderDialogsTest::modelessDialogIsDeletedWhenClosed_data() {
    modalDialogReturnsFromExec_data();
}

void BuilderDialogsTest::modelessDialogIsDeletedWhenClosed() {
    QFETCH(bool, byCancelAnswer);
    DialogTestHarness harness;
    const QString csv = harness.writeInput(Office, 2);
    QPointer<QDialog> dialog = new mervasto::ZipCodeConv3(harness.context);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    if (byCancelAnswer) {
        start(dialog, csv);
        harness.desktop.answers.push_back(Desktop::Answer::Cancel);
        start(dialog, csv);
    } else {
        findControl<QPushButton>(*dialog, "Command3")->click();
    }

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const bool deleted = dialog.isNull();
    delete dialog.data();
    QVERIFY(deleted);
}

void BuilderDialogsTest::screenReadersHearEveryControl_data() {
    QTest::addColumn<QString>("dialogName");
    QTest::addColumn<QString>("controlName");
    QTest::addColumn<QString>("name");

    QTest::newRow("national path box")
        << National << "Text1"
        << QStringLiteral("ﾌｧｲﾙ名：　\\Ken_all.csv　のパスを入力してください。");
    QTest::newRow("office path box")
        << Office << "Text1"
        << QStringLiteral("ﾌｧｲﾙ名：　\\Jigyosyo.csv　のパスを入力してください。");
    QTest::newRow("browse") << National << "Command2" << QStringLiteral("参照");
    QTest::newRow("start") << Office << "Command1" << QStringLiteral("開始");
    QTest::newRow("done") << National << "Command3" << QStringLiteral("完了");
    QTest::newRow("progress") << Office << "ProgressBar1" << QStringLiteral("進行状況");
}

void BuilderDialogsTest::screenReadersHearEveryControl() {
    QFETCH(QString, dialogName);
    QFETCH(QString, controlName);
    QFETCH(QString, name);
    DialogTestHarness harness;
    const auto dialog = harness.makeDialog(dialogName);

    QAccessibleInterface* const control =
        QAccessible::queryAccessibleInterface(findControl(*dialog, qPrintable(controlName)));
    QCOMPARE(control->text(QAccessible::Name), name);
    QVERIFY(!control->text(QAccessible::Description).isEmpty());
}

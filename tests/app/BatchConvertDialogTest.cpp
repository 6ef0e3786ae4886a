#include "BatchConvertDialogTest.h"

#include "SearchTables.h"
#include "WidgetTestSupport.h"

#include "app/BatchConvertDialog.h"
#include "data/Cp932Codec.h"
#include "data/IndexLoader.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <filesystem>
#include <string>

using mervasto::test::findControl;

namespace {

// A conversion dialog on the fixture's national tables.
struct DialogHarness : mervasto::test::WindowContext {
    DialogHarness() {
        mervasto::test::writeNationalTables(dataDir.path(), mervasto::test::fixtureNationalRows());
        mervasto::loadIndexTable(dataDir.path(), filest.indexTable);
    }

    void chooseList(const std::string& bytes) {
        mervasto::test::writeBytes(dataDir / "住所.csv", bytes);
        desktop.chosenFiles.push_back(mervasto::test::toText(dataDir / "住所.csv"));
        click("Command2");
    }

    void click(const char* name) { findControl<QPushButton>(dialog, name)->click(); }
    bool running() const { return findControl<QPushButton>(dialog, "Command3")->isEnabled(); }
    void setOutput(const std::filesystem::path& file) {
        findControl<QLineEdit>(dialog, "Text3")->setText(mervasto::test::toText(file));
    }
    // Starts and waits for the end of the run.
    void run() {
        click("Command1");
        QTRY_VERIFY(!running());
    }
    QString lastMessage() const {
        return desktop.messages.isEmpty() ? QString() : desktop.messages.last().text;
    }

    mervasto::BatchConvertDialog dialog{context};
};

} // namespace

void BatchConvertDialogTest::browsingSetsTheOutputBesideTheList() {
    DialogHarness harness;
    harness.chooseList("");
    QCOMPARE(findControl<QLineEdit>(harness.dialog, "Text3")->text(),
             mervasto::test::toText(harness.dataDir / "住所_郵便番号.csv"));
}

void BatchConvertDialogTest::completedRunWritesTheFileAndReports() {
    DialogHarness harness;
    harness.chooseList("名前,住所\n甲,東京都中央区京橋\n乙,ＺＺＺ\n");
    findControl<QSpinBox>(harness.dialog, "Text2")->setValue(2);
    findControl<QCheckBox>(harness.dialog, "Check1")->setChecked(true);
    harness.click("Command1");
    QVERIFY(!findControl<QPushButton>(harness.dialog, "Command1")->isEnabled());
    QTRY_VERIFY(!harness.running());

    QCOMPARE(mervasto::test::readBytes(harness.dataDir / "住所_郵便番号.csv"),
             std::string("\xEF\xBB\xBF名前,住所,郵便番号,候補数,判定\n"
                         "甲,東京都中央区京橋,104-0031,1,一致\n乙,ＺＺＺ,,0,該当なし\n"));
    QCOMPARE(harness.desktop.beeps, 1);
    QCOMPARE(harness.desktop.messages.size(), 1);
    QCOMPARE(harness.desktop.messages.first().text,
             QStringLiteral("2件中 1件の郵便番号が見つかりました。"));
    QCOMPARE(findControl<QLabel>(harness.dialog, "Label4")->text(),
             QStringLiteral("一致 1件、補正一致 0件、部分一致 0件、複数候補 0件、該当なし 1件、"
                            "エラー 0件"));
    harness.click("Command5");
    QCOMPARE(harness.desktop.openedFiles,
             QStringList{mervasto::test::toText(harness.dataDir / "住所_郵便番号.csv")});
}

void BatchConvertDialogTest::previewChoosesTheAddressColumn() {
    DialogHarness harness;
    harness.chooseList(mervasto::encodeCp932(u"名前,住所\r\n甲,東京都中央区京橋\r\n"));
    auto* const table = findControl<QTableWidget>(harness.dialog, "Table1");
    auto* const column = findControl<QSpinBox>(harness.dialog, "Text2");
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->columnCount(), 2);
    QCOMPARE(table->item(1, 1)->text(), QStringLiteral("東京都中央区京橋"));

    harness.dialog.show();
    QHeaderView* const header = table->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(1) + 4, header->height() / 2));
    QCOMPARE(column->value(), 2);
    column->setValue(1);
    QCOMPARE(table->selectionModel()->selectedColumns().first().column(), 0);
    table->setCurrentCell(0, 0);
    QTest::keyClick(table, Qt::Key_Right); // the keyboard chooses as well
    QCOMPARE(column->value(), 2);
}

void BatchConvertDialogTest::outputThatIsTheListIsRefused() {
    DialogHarness harness;
    const std::string list = "東京都中央区京橋\n";
    harness.chooseList(list);
    harness.setOutput(harness.dataDir / "住所.csv");
    harness.click("Command1");

    QVERIFY(!harness.running());
    QCOMPARE(
        harness.lastMessage(),
        QStringLiteral("出力ファイルが住所一覧そのものです。別のファイル名を指定してください。"));
    QCOMPARE(mervasto::test::readBytes(harness.dataDir / "住所.csv"), list);
}

void BatchConvertDialogTest::existingOutputIsReplacedOnlyAfterYes_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("yes") << static_cast<int>(mervasto::Desktop::Answer::Yes) << true;
    QTest::newRow("no") << static_cast<int>(mervasto::Desktop::Answer::No) << false;
    QTest::newRow("cancel") << static_cast<int>(mervasto::Desktop::Answer::Cancel) << false;
}

void BatchConvertDialogTest::existingOutputIsReplacedOnlyAfterYes() {
    QFETCH(int, answer);
    QFETCH(bool, replaced);
    DialogHarness harness;
    harness.chooseList("東京都中央区京橋\n");
    const auto output = harness.dataDir / "住所_郵便番号.csv";
    mervasto::test::writeBytes(output, "older\n");
    harness.desktop.answers.push_back(static_cast<mervasto::Desktop::Answer>(answer));
    harness.run();

    QCOMPARE(harness.desktop.messages.first().text,
             mervasto::test::toText(output) + QStringLiteral(" は既にあります。置き換えますか？"));
    QCOMPARE(mervasto::test::readBytes(output) != "older\n", replaced);
}

void BatchConvertDialogTest::listThatCannotBeConvertedIsReported_data() {
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("message");
    QTest::newRow("open quote") << QByteArray("東京都中央区京橋\n\"東京都") << 1
                                << QStringLiteral(
                                       "住所一覧が \" で囲んだ項目の途中で終わっています。"
                                       "ファイルが途中で切れていないか確認してください。");
    QTest::newRow("no such column")
        << QByteArray("甲,東京都中央区京橋\n") << 3
        << QStringLiteral("住所一覧のどの行にも 3 列目がありません。住所の列を確認してください。");
}

void BatchConvertDialogTest::listThatCannotBeConvertedIsReported() {
    QFETCH(QByteArray, list);
    QFETCH(int, column);
    QFETCH(QString, message);
    DialogHarness harness;
    harness.chooseList(list.toStdString());
    findControl<QSpinBox>(harness.dialog, "Text2")->setValue(column);
    harness.run();

    QCOMPARE(harness.lastMessage(), message);
    QVERIFY(!std::filesystem::exists(harness.dataDir / "住所_郵便番号.csv"));
}

void BatchConvertDialogTest::cancelledRunLeavesNoFile_data() {
    QTest::addColumn<bool>("byClosing");
    QTest::newRow("cancel button") << false;
    QTest::newRow("closing the dialog") << true;
}

void BatchConvertDialogTest::cancelledRunLeavesNoFile() {
    QFETCH(bool, byClosing);
    DialogHarness harness;
    std::string list;
    for (int row = 0; row < 200000; ++row)
        list += "東京都千代田区霞が関\n";
    harness.chooseList(list);
    harness.dialog.show();
    harness.click("Command1");
    QVERIFY(harness.running());
    if (byClosing)
        harness.dialog.close();
    else
        harness.click("Command3");
    if (!byClosing)
        QTRY_VERIFY(!harness.running());

    QCOMPARE(mervasto::test::listDirectory(harness.dataDir.path()),
             std::string("ZIPCODE.TXT\nZIPID1.txt\nZipCode1.txt\n住所.csv\n"));
    QCOMPARE(harness.desktop.beeps, 0);
    QVERIFY(harness.desktop.messages.isEmpty());
}

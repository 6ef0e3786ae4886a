#include "BatchConvertDialogTest.h"

#include "SearchTables.h"
#include "WidgetTestSupport.h"

#include "app/BatchConvertDialog.h"
#include "data/IndexLoader.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

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

    QCOMPARE(
        mervasto::test::readBytes(harness.dataDir / "住所_郵便番号.csv"),
        std::string("名前,住所,郵便番号,候補数\n甲,東京都中央区京橋,104-0031,1\n乙,ＺＺＺ,,0\n"));
    QCOMPARE(harness.desktop.beeps, 1);
    QCOMPARE(harness.desktop.messages.size(), 1);
    QCOMPARE(harness.desktop.messages.first().text,
             QStringLiteral("2件中 1件の郵便番号が見つかりました。"));
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

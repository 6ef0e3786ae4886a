#include "UpdateTest.h"

#include "MonthOfData.h"
#include "TestZip.h"
#include "WindowHarness.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace fs = std::filesystem;
using mervasto::Desktop;
using mervasto::DownloadFailure;

namespace {

const QString National = QStringLiteral("https://example.invalid/ken_all.zip");
const QString Offices = QStringLiteral("https://example.invalid/jigyosyo.zip");

// A window started on the postal data of 30 September 2025 that it carries, whose update
// downloads October's made-up month from the settings' addresses.
struct UpdateHarness : WindowHarness {
    mervasto::test::TempDir programDir;
    mervasto::test::TempDir site;

    UpdateHarness() {
        mervasto::test::writeCarriedData(programDir.path(), {2025, 9, 30, 0, 0, 0});
        context.programDir = programDir.path();
        const mervasto::test::MonthOfData october{
            mervasto::test::codeRange(1000001, 3), mervasto::test::codeRange(1008001, 2), {}};
        october.writeZips(site.path());
        downloader.serve(National, site / "ken_all.zip");
        downloader.serve(Offices, site / "jigyosyo.zip");
        addressSettings.values["Update/NationalUrl"] = National;
        addressSettings.values["Update/OfficesUrl"] = Offices;
        start();
    }

    QString label() const { return control<QLabel>("Label3")->text(); }
    QAction* item(const char* name) const { return window->findChild<QAction*>(name); }

    // Chooses the update, waits for the dialog's Close, and returns what the dialog showed.
    QString runUpdate() {
        QString shown;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* const dialog = QApplication::activeModalWidget();
            auto* const close = dialog ? dialog->findChild<QPushButton*>("Command3") : nullptr;
            if (!close || !close->isEnabled())
                return;
            shown = dialog->findChild<QLabel*>("Label1")->text() + u'\n' +
                    dialog->findChild<QPlainTextEdit*>("Text1")->toPlainText();
            QTest::mouseClick(close, Qt::LeftButton);
        });
        poll.start(10);
        item("mnuUpdate")->trigger();
        return shown;
    }
};

} // namespace

void UpdateTest::anUpdateReplacesTheTablesShowsTheReportAndCanBeReverted() {
    UpdateHarness harness;
    QVERIFY(!harness.item("mnuRevert")->isEnabled());
    const auto september = mervasto::test::readBytes(harness.dataDir / "ZipCode1.txt");

    const QString shown = harness.runUpdate();

    QVERIFY2(shown.startsWith(QStringLiteral("郵便番号データを更新しました。\n")),
             qPrintable(shown));
    QVERIFY(shown.contains(QStringLiteral("追加された郵便番号: 3 件\n  100-0001 東京都千代田区町1000001\n")));
    QVERIFY(shown.contains(QStringLiteral("廃止された郵便番号: 1 件\n  100-0005 東京都千代田区丸の内\n")));
    QCOMPARE(harness.label(), QStringLiteral("郵便番号ﾃﾞｰﾀﾌｧｲﾙの更新日：2025/10/31"));
    QVERIFY(harness.item("mnuRevert")->isEnabled());

    harness.desktop.answers = {Desktop::Answer::Yes};
    harness.item("mnuRevert")->trigger();
    QCOMPARE(harness.desktop.messages.back().text,
             QStringLiteral("以前の郵便番号データに戻しました。"));
    QCOMPARE(mervasto::test::readBytes(harness.dataDir / "ZipCode1.txt"), september);
    QCOMPARE(harness.label(), QStringLiteral("郵便番号ﾃﾞｰﾀﾌｧｲﾙの更新日：2025/09/30"));
}

void UpdateTest::aFailedDownloadLeavesTheTablesAndSaysTheAddressMayHaveMoved() {
    UpdateHarness harness;
    const auto before = mervasto::test::filesIn(harness.dataDir.path());
    harness.downloader.fail(National, DownloadFailure::HtmlPage);

    const QString shown = harness.runUpdate();

    QVERIFY2(shown.startsWith(
                 QStringLiteral("郵便番号データを更新できませんでした。データは元のままです。\n"
                                "ダウンロード先のアドレスが変わった可能性があります。\n")),
             qPrintable(shown));
    QCOMPARE(mervasto::test::filesIn(harness.dataDir.path()), before);
    QVERIFY(!harness.item("mnuRevert")->isEnabled());
}

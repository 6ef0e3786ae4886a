#include "FirstStartTest.h"

#include "TestZip.h"
#include "WindowHarness.h"
#include "builders/NationalTableBuild.h"
#include "data/Cp932Codec.h"

#include <QLabel>
#include <QListView>
#include <QTest>

#include <filesystem>

namespace fs = std::filesystem;
using mervasto::LocalDateTime;
using mervasto::test::FakeDesktop;

namespace {

const QString DatePrefix = QStringLiteral("郵便番号ﾃﾞｰﾀﾌｧｲﾙの更新日：");
const LocalDateTime September{2025, 9, 30, 0, 0, 0};

// A window whose program carries the postal data of 30 September 2025, on a given day.
struct CarryingHarness : WindowHarness {
    mervasto::test::TempDir programDir;

    explicit CarryingHarness(QDate today = QDate(2025, 10, 15)) {
        mervasto::test::writeCarriedData(programDir.path(), September);
        context.programDir = programDir.path();
        context.now = [today] { return QDateTime(today, QTime(9, 0)); };
    }

    QString label() const { return control<QLabel>("Label3")->text(); }
};

// Lets the queued activation check run.
void settle() {
    for (int round = 0; round < 5; ++round)
        QCoreApplication::processEvents();
}

} // namespace

void FirstStartTest::anEmptyDirectoryGetsItsTablesWithoutAMessage() {
    CarryingHarness harness;
    harness.start();
    settle();

    QVERIFY(harness.desktop.messages.isEmpty());
    for (const char* table : {"ZIPCODE.txt", "ZIPID1.txt", "ZipCode1.txt", "ZipCode2.txt"})
        QVERIFY2(fs::is_regular_file(harness.dataDir / table), table);
    QCOMPARE(harness.label(), DatePrefix + QStringLiteral("2025/09/30"));
    QCOMPARE(harness.window->statusText(), QString());

    searchFromKeyboard(harness, QStringLiteral("東京都千代田区丸の内"));
    QCOMPARE(harness.control<QListView>("List2")->model()->rowCount(), 1);
    QVERIFY(harness.desktop.messages.isEmpty());
}

void FirstStartTest::aFailedBuildNamesItsCauseThenWarnsAsUsual() {
    CarryingHarness harness;
    const fs::path blocked = harness.dataDir / "tables";
    mervasto::test::writeBytes(blocked, "a file where the table directory should be");
    harness.context.dataDir = blocked;
    harness.start();

    QTRY_COMPARE(harness.desktop.messages.size(), 2);
    const FakeDesktop::Message failure = harness.desktop.messages.front();
    QVERIFY2(failure.text.startsWith(
                 QStringLiteral("付属の郵便番号データから郵便番号表を作成できませんでした。")),
             qPrintable(failure.text));
    QVERIFY(failure.text.contains(mervasto::test::toText(blocked)));
    QVERIFY(failure.text.contains(QStringLiteral("原因：")));
    QCOMPARE(harness.desktop.messages.back().text,
             QStringLiteral("ZIPCODE.TXT が見つかりません。確認してください。"));
    QVERIFY(!harness.label().startsWith(DatePrefix));
}

void FirstStartTest::oldDataIsNotedOnce_data() {
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("noted");
    QTest::newRow("three months on") << QDate(2025, 12, 30) << false;
    QTest::newRow("a day later") << QDate(2025, 12, 31) << true;
    QTest::newRow("a year later") << QDate(2026, 9, 30) << true;
}

void FirstStartTest::oldDataIsNotedOnce() {
    QFETCH(QDate, today);
    QFETCH(bool, noted);

    CarryingHarness harness(today);
    harness.start();
    const QString note =
        QStringLiteral("郵便番号データ（2025/09/30）は3か月以上前のものです。"
                       "[ファイル]メニューの[郵便番号データの更新]で新しいデータにできます。");
    QCOMPARE(harness.window->statusText(), noted ? note : QString());
    QCOMPARE(harness.label(), DatePrefix + QStringLiteral("2025/09/30"));
}

// The user builds newer tables while the window is open: the next search shows their date.
void FirstStartTest::theLabelFollowsAReplacement() {
    CarryingHarness harness;
    harness.start();
    const mervasto::test::TempDir download;
    const std::string row = mervasto::encodeCp932(
        u"13101,\"100  \",\"1000005\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ﾏﾙﾉｳﾁ\",\"東京都\",\"千代田区\","
        u"\"丸の内\",0,0,1,0,0,0\r\n");
    mervasto::test::writeZip(download / "ken_all.zip", {{"KEN_ALL.CSV", row, {2025, 10, 31}}});
    struct : mervasto::BuildProgress {
        void setRange(int, int) override {}
        void setValue(int) override {}
    } progress;
    QCOMPARE(mervasto::buildNationalTables(
                 download / "ken_all.zip", harness.dataDir.path(),
                 [](const std::u16string&) { return mervasto::OverwriteAnswer::Yes; }, progress)
                 .result,
             mervasto::BuildResult::Completed);

    searchFromKeyboard(harness, QStringLiteral("東京都千代田区丸の内"));
    QCOMPARE(harness.label(), DatePrefix + QStringLiteral("2025/10/31"));
}

#include "SearchWindowTest.h"

#include "WindowHarness.h"
#include "builders/NationalTableBuild.h"
#include "data/Cp932Codec.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include <filesystem>

using mervasto::Desktop;

namespace {

QStringList listed(WindowHarness& harness) {
    QStringList lines;
    const QAbstractItemModel* const model = harness.control<QListView>("List2")->model();
    for (int row = 0; row < model->rowCount(); ++row)
        lines << model->index(row, 0).data().toString();
    return lines;
}

// The texts a label shows each time it is painted.
class PaintedTexts : public QObject {
public:
    explicit PaintedTexts(QLabel* label) : label_(label) { label->installEventFilter(this); }
    QStringList texts;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == label_ && event->type() == QEvent::Paint)
            texts << label_->text();
        return false;
    }

private:
    QLabel* label_;
};

const QString SearchingAddresses = QStringLiteral("　検索中です。しばらくお待ちください。");
const QString SearchingOffices = QStringLiteral("　検索中です。");

QString padded(const QString& address) {
    return address.leftJustified(60, u' ');
}

void startWithTables(WindowHarness& harness) {
    harness.writeTables();
    harness.start();
}

} // namespace

void SearchWindowTest::enterTwiceRunsTheSearch_data() {
    QTest::addColumn<bool>("officeMode");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("status");

    QTest::newRow("exact hit")
        << false << QStringLiteral("東京都千代田区霞が関")
        << QStringList{QStringLiteral("100-0013  ") + padded("東京都千代田区霞が関"),
                       QStringLiteral("100-0099  ") + padded("東京都千代田区霞が関 合同庁舎")}
        << QStringLiteral("100-0099") << QStringLiteral("2件　見つかりました。");
    QTest::newRow("not found")
        << false << QStringLiteral("大阪府") << QStringList() << QString()
        << QStringLiteral(
               "大阪府 は、見つかりませんでした。都市名を入力して再度検索してください。");
    QTest::newRow("office") << true << QStringLiteral("北海道庁")
                            << QStringList{QStringLiteral("060-8588　北海道庁")} << QString()
                            << QStringLiteral("1件　見つかりました。");
}

void SearchWindowTest::enterTwiceRunsTheSearch() {
    QFETCH(bool, officeMode);
    QFETCH(QString, key);
    QFETCH(QStringList, lines);
    QFETCH(QString, code);
    QFETCH(QString, status);

    WindowHarness harness;
    startWithTables(harness);
    harness.control<QCheckBox>("Check1")->setChecked(officeMode);
    mervasto::test::settle();
    // The search does not return to the event loop: the searching text is painted at once.
    PaintedTexts painted(harness.control<QLabel>("Panel1"));
    searchFromKeyboard(harness, key);

    QCOMPARE(painted.texts.value(0), officeMode ? SearchingOffices : SearchingAddresses);
    QCOMPARE(listed(harness), lines);
    // Screen readers hear the list with its count.
    QCOMPARE(QAccessible::queryAccessibleInterface(harness.control("List2"))
                 ->text(QAccessible::Description),
             QStringLiteral("%1件").arg(lines.size()));
    QCOMPARE(harness.control<QLineEdit>("Text1")->text(), code);
    QCOMPARE(harness.control("Command3")->isEnabled(), !code.isEmpty());
    QCOMPARE(harness.window->statusText(), status);
    QCOMPARE(harness.desktop.beeps, 1);
    QVERIFY(harness.desktop.messages.isEmpty());
    QCOMPARE(harness.control<QLineEdit>("Text2")->text(), key);
    QCOMPARE(QApplication::focusWidget(), harness.control("Text2"));
}

void SearchWindowTest::anEmptyKeyAsksForAnAddress() {
    WindowHarness harness;
    startWithTables(harness);
    harness.control<QLineEdit>("Text4")->setText(QStringLiteral("old line"));
    searchFromKeyboard(harness, QString());

    QCOMPARE(harness.window->statusText(), QStringLiteral("　検索する住所を入力して下さい。"));
    QCOMPARE(harness.desktop.beeps, 1);
    QVERIFY(harness.control<QLineEdit>("Text4")->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), harness.control("Text2"));
}

void SearchWindowTest::aMissingTextListIsReported() {
    WindowHarness harness;
    startWithTables(harness);
    std::filesystem::remove(harness.dataDir / "ZipCode1.txt");
    mervasto::test::settle();
    PaintedTexts painted(harness.control<QLabel>("Panel1"));
    searchFromKeyboard(harness, QStringLiteral("100-0005"));

    // The message stands over the searching text, not over the last search's outcome.
    QCOMPARE(painted.texts.value(0), SearchingAddresses);
    QCOMPARE(harness.desktop.messages.size(), 1);
    const auto& message = harness.desktop.messages.first();
    QCOMPARE(
        message.text,
        QStringLiteral("全国版の郵便番号表 ZIPCODE1.TXT が見つかりません。確認してください。"));
    QCOMPARE(message.title, QStringLiteral("Error Check"));
    QCOMPARE(message.icon, Desktop::Icon::Question);
    QCOMPARE(harness.window->statusText(), QStringLiteral(" 処理を中止します。"));
    QCOMPARE(harness.desktop.beeps, 0);
    QCOMPARE(QApplication::focusWidget(), harness.control("Text2"));
}

void SearchWindowTest::aFailedOfficeSearchLeavesTheFocus() {
    WindowHarness harness;
    startWithTables(harness);
    std::filesystem::remove(harness.dataDir / "ZipCode2.txt");
    harness.control<QCheckBox>("Check1")->setChecked(true);
    mervasto::test::settle();
    PaintedTexts painted(harness.control<QLabel>("Panel1"));
    searchFromKeyboard(harness, QStringLiteral("北海道庁"));

    QCOMPARE(painted.texts.value(0), SearchingOffices);
    QCOMPARE(harness.desktop.messages.size(), 1);
    QCOMPARE(harness.desktop.messages.first().icon, Desktop::Icon::Question);
    QCOMPARE(harness.window->statusText(), QStringLiteral(" 処理を中止します。"));
    QCOMPARE(QApplication::focusWidget(), harness.control("Command4"));
}

void SearchWindowTest::theTextPassShowsEveryLine() {
    WindowHarness harness;
    startWithTables(harness);
    searchFromKeyboard(harness, QStringLiteral("-"));

    const QStringList lines = listed(harness);
    QCOMPARE(lines.size(), 16);
    QCOMPARE(lines.first(), QStringLiteral("060-0000　　北海道札幌市中央区以下に掲載がない場合"));
    QCOMPARE(lines.last(), QStringLiteral("060-0005　　北海道札幌市中央区北五条西"));
    QCOMPARE(harness.window->statusText(), QStringLiteral("16件　見つかりました。"));
}

void SearchWindowTest::choosingALineShowsItsCode_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("arrow key") << QStringLiteral("arrow");
    QTest::newRow("space") << QStringLiteral("space");
    QTest::newRow("mouse") << QStringLiteral("mouse");
}

void SearchWindowTest::choosingALineShowsItsCode() {
    QFETCH(QString, how);

    WindowHarness harness;
    startWithTables(harness);
    searchFromKeyboard(harness, QStringLiteral("千代田区"));
    auto* const list = harness.control<QListView>("List2");
    QVERIFY(list->model()->rowCount() > 2);
    const QString second = list->model()->index(1, 0).data().toString();

    list->setFocus();
    if (how == QLatin1String("arrow")) {
        // Moving into the list marks the first line; Down chooses the second.
        QTest::keyClick(list, Qt::Key_Down);
    } else if (how == QLatin1String("space")) {
        list->setCurrentIndex(list->model()->index(1, 0));
        list->selectionModel()->clearSelection();
        harness.control<QLineEdit>("Text4")->clear();
        QTest::keyClick(list, Qt::Key_Space);
    } else {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(1, 0)).center());
    }

    QCOMPARE(harness.control<QLineEdit>("Text4")->text(), second);
    QCOMPARE(harness.control<QLineEdit>("Text1")->text(), second.left(8));
    QVERIFY(harness.control("Command3")->isEnabled());
}

void SearchWindowTest::spaceWithoutALineChangesNothing_data() {
    QTest::addColumn<QString>("key");
    QTest::newRow("empty list") << QStringLiteral("大阪府");
    QTest::newRow("no current line") << QStringLiteral("千代田区");
}

void SearchWindowTest::spaceWithoutALineChangesNothing() {
    QFETCH(QString, key);
    WindowHarness harness;
    startWithTables(harness);
    searchFromKeyboard(harness, key);
    auto* const list = harness.control<QListView>("List2");
    list->setFocus();
    list->setCurrentIndex({});
    harness.control<QLineEdit>("Text4")->setText(QStringLiteral("kept"));

    QTest::keyClick(list, Qt::Key_Space);
    QVERIFY(!harness.control("Command3")->isEnabled());
    QCOMPARE(harness.control<QLineEdit>("Text4")->text(), QStringLiteral("kept"));
    QVERIFY(harness.control<QLineEdit>("Text1")->text().isEmpty());
}

void SearchWindowTest::movingIntoTheListChoosesNothing() {
    WindowHarness harness;
    startWithTables(harness);
    searchFromKeyboard(harness, QStringLiteral("東京都千代田区霞が関"));
    auto* const text1 = harness.control<QLineEdit>("Text1");
    QCOMPARE(text1->text(), QStringLiteral("100-0099"));

    text1->setFocus();
    QTest::keyClick(text1, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), harness.control("List2"));
    QCOMPARE(text1->text(), QStringLiteral("100-0099"));
    QVERIFY(harness.control<QLineEdit>("Text4")->text().isEmpty());
}

void SearchWindowTest::copyPutsTheCodeOnTheClipboard_data() {
    QTest::addColumn<QString>("code");
    QTest::newRow("a code") << QStringLiteral("100-0099");
    // The box is editable: copying nothing would wipe the user's clipboard.
    QTest::newRow("an empty box") << QString();
}

void SearchWindowTest::copyPutsTheCodeOnTheClipboard() {
    QFETCH(QString, code);
    WindowHarness harness;
    startWithTables(harness);
    searchFromKeyboard(harness, QStringLiteral("東京都千代田区霞が関"));
    harness.desktop.beeps = 0;
    harness.desktop.clipboard = QStringLiteral("the user's own");
    harness.control<QLineEdit>("Text1")->setText(code);
    harness.control<QPushButton>("Command3")->click();

    QCOMPARE(harness.control<QLineEdit>("Text1")->text(), code);
    if (code.isEmpty()) {
        QCOMPARE(harness.desktop.clipboard, QStringLiteral("the user's own"));
        QVERIFY(harness.desktop.messages.isEmpty());
        QCOMPARE(harness.desktop.beeps, 1);
        return;
    }
    QCOMPARE(harness.desktop.clipboard, code);
    QCOMPARE(harness.desktop.beeps, 0);
    QCOMPARE(harness.desktop.messages.size(), 1);
    const auto& message = harness.desktop.messages.first();
    QCOMPARE(message.text,
             QStringLiteral(
                 "郵便番号をクリップボードにコピーしました。[OK] ボタンを選択してください。"));
    QCOMPARE(message.title, QStringLiteral("Mervasto"));
    QCOMPARE(message.icon, Desktop::Icon::None);
    QCOMPARE(message.buttons, Desktop::Buttons::Ok);
}

void SearchWindowTest::nextSearchClearsTheWindow() {
    WindowHarness harness;
    startWithTables(harness);
    searchFromKeyboard(harness, QStringLiteral("東京都千代田区霞が関"));
    const QString status = harness.window->statusText();
    auto* const list = harness.control<QListView>("List2");
    list->setCurrentIndex(list->model()->index(0, 0));

    harness.control<QPushButton>("Command1")->click();
    for (const char* name : {"Text2", "Text1", "Text4"})
        QVERIFY(harness.control<QLineEdit>(name)->text().isEmpty());
    QCOMPARE(list->model()->rowCount(), 0);
    QVERIFY(!harness.control("Command3")->isEnabled());
    QCOMPARE(QApplication::focusWidget(), harness.control("Text2"));
    QCOMPARE(harness.window->statusText(), status);
}

void SearchWindowTest::theModeSwitchChangesTheTooltip() {
    WindowHarness harness;
    startWithTables(harness);
    auto* const check1 = harness.control<QCheckBox>("Check1");
    auto* const text2 = harness.control("Text2");

    QTest::keyClick(harness.window.get(), Qt::Key_C, Qt::AltModifier);
    QVERIFY(check1->isChecked());
    QCOMPARE(text2->toolTip(), QStringLiteral("事業所名を入力します。"));
    check1->click();
    QCOMPARE(text2->toolTip(),
             QStringLiteral("入力する住所・地名は、丁目・番地は省いてください。"));
    QCOMPARE(harness.window->statusText(), QString());
}

namespace {

class NoProgress : public mervasto::BuildProgress {
    void setRange(int, int) override {}
    void setValue(int) override {}
};

} // namespace

// A build by another process (here: into the same directory, with an index of its own) puts
// the city at other record numbers: the window must not read the new records with the index
// it loaded at start-up.
void SearchWindowTest::tablesReplacedElsewhereAreSearchedWithTheirOwnIndex() {
    WindowHarness harness;
    startWithTables(harness);
    const auto csv = harness.lockDir / "KEN_ALL.CSV";
    mervasto::test::writeBytes(
        csv, mervasto::encodeCp932(u"01101,,0600001,,,,北海道,札幌市,北一条西,0,0,0,0,0,0\r\n"
                                   u"13101,,1009999,,,,東京都,千代田区,霞が関,0,0,0,0,0,0\r\n"));
    NoProgress progress;
    const auto elsewhere = std::make_unique<mervasto::IndexTable>();
    const auto outcome = mervasto::buildNationalTables(
        csv, harness.dataDir.path(), *elsewhere,
        [](const std::u16string&) { return mervasto::OverwriteAnswer::Yes; }, progress);
    QCOMPARE(outcome.result, mervasto::BuildResult::Completed);

    searchFromKeyboard(harness, QStringLiteral("東京都千代田区霞が関"));
    QCOMPARE(listed(harness),
             QStringList{QStringLiteral("100-9999  ") + padded("東京都千代田区霞が関")});
    QCOMPARE(harness.control<QLineEdit>("Text1")->text(), QStringLiteral("100-9999"));
}

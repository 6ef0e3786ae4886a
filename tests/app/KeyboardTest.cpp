#include "KeyboardTest.h"

#include "WindowHarness.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using mervasto::test::typeText;

void KeyboardTest::enterMovesToTheNextTabPosition_data() {
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QByteArray>("to");

    const auto row = [](const char* name, const char* from, int key, const char* to) {
        QTest::newRow(name) << QByteArray(from) << key << QByteArray(to);
    };
    row("Text2 to Command4", "Text2", Qt::Key_Return, "Command4");
    row("keypad Enter too", "Text2", Qt::Key_Enter, "Command4");
    row("Text1 to List2", "Text1", Qt::Key_Return, "List2");
    row("List2 stays: Label2 follows", "List2", Qt::Key_Return, "List2");
    row("Text4 stays: Command5 is hidden", "Text4", Qt::Key_Return, "Text4");
    row("Check1 stays: Command2 is hidden", "Check1", Qt::Key_Enter, "Check1");
}

void KeyboardTest::enterMovesToTheNextTabPosition() {
    QFETCH(QByteArray, from);
    QFETCH(int, key);
    QFETCH(QByteArray, to);

    WindowHarness harness;
    harness.writeTables();
    harness.start();
    QWidget* const start = harness.control(from.constData());
    start->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), start);
    if (auto* const box = qobject_cast<QLineEdit*>(start))
        box->setText(QStringLiteral("東京都"));

    QTest::keyClick(start, Qt::Key(key),
                    key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QCOMPARE(QApplication::focusWidget(), harness.control(to.constData()));
    if (auto* const box = qobject_cast<QLineEdit*>(start))
        QCOMPARE(box->text(), QStringLiteral("東京都"));
    QCOMPARE(harness.desktop.beeps, 0);
    QVERIFY(harness.desktop.messages.isEmpty());
}

void KeyboardTest::enterPressesTheFocusedButton() {
    WindowHarness harness;
    harness.writeTables();
    harness.start();
    auto* const text2 = harness.control<QLineEdit>("Text2");
    typeText(text2, QStringLiteral("霞が関"));
    auto* const command1 = harness.control<QPushButton>("Command1");
    command1->setFocus();

    QTest::keyClick(command1, Qt::Key_Return);
    QVERIFY(text2->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), text2);

    // A disabled target keeps the focus where it is.
    harness.control("Command4")->setEnabled(false);
    typeText(text2, QStringLiteral("霞が関"));
    QTest::keyClick(text2, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), text2);
    QCOMPARE(text2->text(), QStringLiteral("霞が関"));
}

void KeyboardTest::enterWithoutFocusDoesNothing() {
    WindowHarness harness;
    harness.writeTables();
    harness.start();
    harness.control("Text2")->clearFocus();
    QCOMPARE(QApplication::focusWidget(), nullptr);

    QTest::keyClick(harness.window.get(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), nullptr);
    QCOMPARE(harness.desktop.beeps, 0);
}

void KeyboardTest::otherKeysReachTheTextBox() {
    WindowHarness harness;
    harness.writeTables();
    harness.start();
    auto* const text2 = harness.control<QLineEdit>("Text2");
    typeText(text2, QStringLiteral("東京都 a1"));
    QTest::keyClick(text2, Qt::Key_Backspace);
    QCOMPARE(text2->text(), QStringLiteral("東京都 a"));
    QTest::keyClick(text2, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(text2->text(), QStringLiteral("東京都 a1"));
}

void KeyboardTest::tabVisitsTheControlsInOrder() {
    WindowHarness harness;
    harness.writeTables();
    harness.start();
    harness.control("Command3")->setEnabled(true);

    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int step = 0; step < 8; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, (QStringList{"Text2", "Command4", "Command1", "Text1", "List2", "Text4",
                                   "Check1", "Command3", "Text2"}));
}

void KeyboardTest::accessKeysReachTheirControls() {
    WindowHarness harness;
    harness.writeTables();
    harness.start();
    auto* const text2 = harness.control<QLineEdit>("Text2");
    text2->setText(QStringLiteral("霞が関"));
    harness.control("Command4")->setFocus();

    QTest::keyClick(harness.window.get(), Qt::Key_A, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), text2);
    // The buttons are pressed at once: what the user types straight after stays.
    QTest::keyClick(harness.window.get(), Qt::Key_N, Qt::AltModifier);
    QVERIFY(text2->text().isEmpty());
    typeText(text2, QStringLiteral("abc"));
    QTest::qWait(200);
    QCOMPARE(text2->text(), QStringLiteral("abc"));
    text2->setText(QStringLiteral("東京都千代田区霞が関"));
    QTest::keyClick(harness.window.get(), Qt::Key_I, Qt::AltModifier);
    QCOMPARE(harness.window->statusText(), QStringLiteral("2件　見つかりました。"));
    QTest::keyClick(harness.window.get(), Qt::Key_C, Qt::AltModifier);
    QVERIFY(harness.control<QCheckBox>("Check1")->isChecked());
    QCOMPARE(QApplication::focusWidget(), harness.control("Check1"));
}

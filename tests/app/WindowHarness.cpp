#include "WindowHarness.h"

#include "SearchTables.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

void WindowHarness::writeTables() {
    mervasto::test::writeNationalTables(dataDir.path(), mervasto::test::fixtureNationalRows());
    mervasto::test::writeOfficeTable(dataDir.path(), mervasto::test::fixtureOfficeLines());
}

QString WindowHarness::lockPath() const {
    return mervasto::test::toText(lockDir / "mervasto.lock");
}

bool WindowHarness::load() {
    window = std::make_unique<mervasto::ZipCodeConv>(context, updates, lockPath());
    return window->Form_Load();
}

void WindowHarness::start() {
    if (!load())
        qFatal("the window refused to start");
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        qFatal("the window did not become active");
}

void searchFromKeyboard(WindowHarness& harness, const QString& text) {
    auto* const text2 = harness.control<QLineEdit>("Text2");
    text2->setFocus();
    text2->clear();
    mervasto::test::typeText(text2, text);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

#include "HelpersTest.h"
#include "KeyboardTest.h"
#include "MainWindowTest.h"
#include "MenuTest.h"
#include "SearchWindowTest.h"

#include <QApplication>
#include <QLocale>
#include <QTest>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    HelpersTest helpers;
    MainWindowTest mainWindow;
    SearchWindowTest search;
    KeyboardTest keyboard;
    MenuTest menus;
    int failures = 0;
    for (QObject* const test :
         std::initializer_list<QObject*>{&helpers, &mainWindow, &search, &keyboard, &menus})
        failures += QTest::qExec(test, argc, argv);
    return failures == 0 ? 0 : 1;
}

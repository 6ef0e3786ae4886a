#include "BatchConvertDialogTest.h"
#include "FirstStartTest.h"
#include "HelpersTest.h"
#include "KeyboardTest.h"
#include "MainWindowTest.h"
#include "MenuTest.h"
#include "SearchWindowTest.h"
#include "UpdateTest.h"
#include "WidgetTestSupport.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    HelpersTest helpers;
    MainWindowTest mainWindow;
    SearchWindowTest search;
    KeyboardTest keyboard;
    MenuTest menus;
    BatchConvertDialogTest batch;
    FirstStartTest firstStart;
    UpdateTest update;
    return mervasto::test::runTestObjects(
        argc, argv,
        {&helpers, &mainWindow, &search, &keyboard, &menus, &batch, &firstStart, &update});
}

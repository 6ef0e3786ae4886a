#include "BuilderDialogsTest.h"
#include "ProgressBarAdapterTest.h"
#include "WidgetTestSupport.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ProgressBarAdapterTest progressBar;
    BuilderDialogsTest dialogs;
    return mervasto::test::runTestObjects(argc, argv, {&progressBar, &dialogs});
}

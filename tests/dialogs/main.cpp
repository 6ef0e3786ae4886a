#include "BuilderDialogsTest.h"
#include "ProgressBarAdapterTest.h"

#include <QApplication>
#include <QTest>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ProgressBarAdapterTest progressBar;
    BuilderDialogsTest dialogs;
    const int progressBarFailures = QTest::qExec(&progressBar, argc, argv);
    const int dialogFailures = QTest::qExec(&dialogs, argc, argv);
    return progressBarFailures + dialogFailures == 0 ? 0 : 1;
}

#include "ProgressBarAdapterTest.h"

#include "WidgetTestSupport.h"
#include "builders/dialogs/ProgressBarAdapter.h"

#include <QProgressBar>
#include <QTest>

using mervasto::ProgressBarAdapter;
using mervasto::test::PaintCounter;

void ProgressBarAdapterTest::valueIsHeldWithinTheRange_data() {
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("shown");

    QTest::newRow("within") << 150000 << 4164 << 4164;
    QTest::newRow("at maximum") << 50000 << 50000 << 50000;
    QTest::newRow("more rows than the national maximum") << 150000 << 150001 << 150000;
    QTest::newRow("more records than the office maximum") << 50000 << 32767 << 32767;
    QTest::newRow("far past the index maximum") << 1900 << 124495 << 1900;
    QTest::newRow("below the minimum") << 100 << -1 << 0;
}

void ProgressBarAdapterTest::valueIsHeldWithinTheRange() {
    QFETCH(int, maximum);
    QFETCH(int, value);
    QFETCH(int, shown);
    QProgressBar bar;
    ProgressBarAdapter progress(bar);

    progress.setRange(0, maximum);
    progress.setValue(value);

    QCOMPARE(bar.maximum(), maximum);
    QCOMPARE(bar.value(), shown);
}

void ProgressBarAdapterTest::rangeWithoutStepsShowsAnEmptyBar_data() {
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");

    QTest::newRow("index pass of an empty file") << 0 << 0;
    QTest::newRow("maximum below minimum") << 10 << 5;
}

void ProgressBarAdapterTest::rangeWithoutStepsShowsAnEmptyBar() {
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QProgressBar bar;
    ProgressBarAdapter progress(bar);

    progress.setRange(minimum, maximum);
    progress.setValue(minimum);
    QVERIFY2(bar.maximum() > bar.minimum(), "an equal minimum and maximum is Qt's busy bar");
    QCOMPARE(bar.value(), bar.minimum());

    progress.setRange(0, 150000);
    progress.setValue(150000);
    QCOMPARE(bar.value(), 150000);
}

void ProgressBarAdapterTest::barIsRepaintedAboutEveryPercent() {
    QProgressBar bar;
    bar.setTextVisible(false);
    bar.resize(289, 17);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    const PaintCounter* const counter = new PaintCounter(&bar);
    ProgressBarAdapter progress(bar);

    progress.setRange(0, 150000);
    for (int value = 1; value <= 150000; ++value)
        progress.setValue(value);

    // The build never returns to the event loop, so only immediate repaints show progress:
    // about one per percent, never one per record.
    QVERIFY2(counter->paints >= 90, qPrintable(QString::number(counter->paints)));
    QVERIFY2(counter->paints <= 400, qPrintable(QString::number(counter->paints)));
}

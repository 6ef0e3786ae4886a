#pragma once

#include <QObject>

class ProgressBarAdapterTest : public QObject {
    Q_OBJECT

private slots:
    void valueIsHeldWithinTheRange_data();
    void valueIsHeldWithinTheRange();
    void rangeWithoutStepsShowsAnEmptyBar_data();
    void rangeWithoutStepsShowsAnEmptyBar();
    void barIsRepaintedAboutEveryPercent();
};

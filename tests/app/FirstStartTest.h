#pragma once

#include <QObject>

// Start-up with the postal data carried beside the program: the first build, its failure, the
// data's date and the note on old data.
class FirstStartTest : public QObject {
    Q_OBJECT

private slots:
    void anEmptyDirectoryGetsItsTablesWithoutAMessage();
    void aFailedBuildNamesItsCauseThenWarnsAsUsual();
    void oldDataIsNotedOnce_data();
    void oldDataIsNotedOnce();
    void theLabelFollowsAReplacement();
};

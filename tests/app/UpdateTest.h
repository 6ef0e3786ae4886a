#pragma once

#include <QObject>

// The File menu's update from the operator's files and its way back, with a downloader that
// serves the test's own files.
class UpdateTest : public QObject {
    Q_OBJECT

private slots:
    void anUpdateReplacesTheTablesShowsTheReportAndCanBeReverted();
    void aFailedDownloadLeavesTheTablesAndSaysTheAddressMayHaveMoved();
};

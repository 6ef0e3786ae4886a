#pragma once

#include <QObject>

// The address-list conversion dialog: its default output path, a completed run and a
// cancelled one.
class BatchConvertDialogTest : public QObject {
    Q_OBJECT

private slots:
    void browsingSetsTheOutputBesideTheList();
    void completedRunWritesTheFileAndReports();
    void cancelledRunLeavesNoFile_data();
    void cancelledRunLeavesNoFile();
};

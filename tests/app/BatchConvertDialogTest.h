#pragma once

#include <QObject>

// The address-list conversion dialog: its default output path, the list's preview, the
// output checks, a completed run, a refused one and a cancelled one.
class BatchConvertDialogTest : public QObject {
    Q_OBJECT

private slots:
    void browsingSetsTheOutputBesideTheList();
    void completedRunWritesTheFileAndReports();
    void previewChoosesTheAddressColumn();
    void outputThatIsTheListIsRefused();
    void existingOutputIsReplacedOnlyAfterYes_data();
    void existingOutputIsReplacedOnlyAfterYes();
    void listThatCannotBeConvertedIsReported_data();
    void listThatCannotBeConvertedIsReported();
    void cancelledRunLeavesNoFile_data();
    void cancelledRunLeavesNoFile();
};

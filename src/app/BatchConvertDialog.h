#pragma once

#include "app/AddressListJob.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTimer;

namespace mervasto {

struct AppContext;

// Converts an address list into a copy with the postal code, the number of candidates and the
// status of each address, in the style of the table builders: the list's path (typed or
// browsed), its first rows (a column header or a cell chooses the address column), whether
// the first row is a header, the output path (beside the list by default), start, a progress
// bar and cancel; at the end the count of each status and a button that opens the output.
// The conversion runs off the UI thread; the dialog follows it on a timer and applies how it
// ended.
class BatchConvertDialog : public QDialog {
    Q_OBJECT

public:
    explicit BatchConvertDialog(AppContext& context, QWidget* parent = nullptr);
    ~BatchConvertDialog() override;

    // The output file's default: "<input name>_郵便番号.csv" beside the input.
    static QString defaultOutputPath(const QString& inputPath);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command5_Click();
    void Text1_Edited();
    void Text2_Changed(int column);
    void showPreview();
    void chooseColumn(int column);
    bool outputConfirmed();
    QString refusalText(AddressListFault fault) const;
    void followJob();
    void finishJob();
    void setRunning(bool running);

    AppContext& context_;
    QLineEdit* Text1;
    QPushButton* Command2;
    QSpinBox* Text2;
    QCheckBox* Check1;
    QTableWidget* Table1;
    QLineEdit* Text3;
    QProgressBar* ProgressBar1;
    QLabel* Label4;
    QPushButton* Command1;
    QPushButton* Command3;
    QPushButton* Command4;
    QPushButton* Command5;
    QTimer* jobTimer_;
    std::unique_ptr<AddressListJob> job_;
};

} // namespace mervasto

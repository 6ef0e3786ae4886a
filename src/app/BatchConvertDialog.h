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
class QTimer;

namespace mervasto {

struct AppContext;

// Converts an address list into a copy with the postal code and the number of candidates of
// each address, in the style of the table builders: the list's path (typed or browsed), the
// address column, whether the first row is a header, the output path (beside the list by
// default), start, a progress bar and cancel. The conversion runs off the UI thread; the
// dialog follows it on a timer and applies how it ended.
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
    void Text1_Edited();
    void followJob();
    void finishJob();
    void setRunning(bool running);

    AppContext& context_;
    QLineEdit* Text1;
    QPushButton* Command2;
    QSpinBox* Text2;
    QCheckBox* Check1;
    QLineEdit* Text3;
    QProgressBar* ProgressBar1;
    QPushButton* Command1;
    QPushButton* Command3;
    QPushButton* Command4;
    QTimer* jobTimer_;
    std::unique_ptr<AddressListJob> job_;
};

} // namespace mervasto

#pragma once

#include "download/UpdateRun.h"
#include "download/UpdateServices.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace mervasto {

struct AppContext;

// Updates the tables from the operator's current files as soon as it is shown: what it is
// doing, a progress bar and Cancel while it downloads; then what changed, or why nothing was
// replaced, and Close. replacedTables() tells the main window to reload its index.
class UpdateDialog : public QDialog {
    Q_OBJECT

public:
    UpdateDialog(AppContext& context, UpdateServices& services, QWidget* parent = nullptr);

    bool replacedTables() const { return replaced_; }

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    class Progress;
    void createControls();
    void runUpdate();
    bool confirmShrink(const ChangeReport& report);
    void showOutcome(const UpdateRunOutcome& outcome);

    AppContext& context_;
    UpdateServices& services_;
    QLabel* stage_;
    QProgressBar* progressBar_;
    QPlainTextEdit* report_;
    QPushButton* cancel_;
    QPushButton* close_;
    bool started_ = false;
    bool running_ = false;
    bool replaced_ = false;
};

} // namespace mervasto

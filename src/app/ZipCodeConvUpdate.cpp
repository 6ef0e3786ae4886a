// The main window's update from the operator's current files, and the way back to the tables
// it replaced.

#include "app/UpdateDialog.h"
#include "app/ZipCodeConv.h"

#include "builders/TableRevert.h"
#include "builders/UpdateText.h"

#include <QAction>

namespace mervasto {

void ZipCodeConv::mnuUpdate_Click() {
    UpdateDialog dialog(context_, updates_, this);
    dialog.exec();
    if (dialog.replacedTables())
        followReplacedTables();
    enableRevert();
}

void ZipCodeConv::mnuRevert_Click() {
    const QString title = QString::fromUtf16(UpdateText::RevertTitle);
    if (context_.desktop.showMessage(this, QString::fromUtf16(UpdateText::RevertQuestion), title,
                                     Desktop::Icon::Question,
                                     Desktop::Buttons::YesNoCancel) != Desktop::Answer::Yes)
        return;
    const BuildOutcome outcome = revertTables(context_.dataDir);
    if (outcome.result == BuildResult::Completed) {
        followReplacedTables();
        context_.desktop.showMessage(this, QString::fromUtf16(UpdateText::Reverted), title,
                                     Desktop::Icon::Information, Desktop::Buttons::Ok);
    } else {
        context_.desktop.showMessage(this, QString::fromStdString(outcome.detail), title,
                                     Desktop::Icon::Critical, Desktop::Buttons::Ok);
    }
    enableRevert();
}

// Every replacement may keep a set or leave the kept one behind: asked whenever the menu opens.
void ZipCodeConv::enableRevert() {
    mnuRevert_->setEnabled(canRevertTables(context_.dataDir));
}

} // namespace mervasto

#pragma once

#include "builders/BuildOutcome.h"

#include <QDialog>
#include <QString>

#include <filesystem>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace mervasto {

struct AppContext;

// What tells the two builder dialogs apart on screen. Widths are in twips.
struct TableBuilderLook {
    QString objectName;
    QString caption;
    QString prompt;
    int promptWidth;
    int buttonWidth;
};

// The common body of the two table-builder dialogs: the path box, the browse, start and close
// buttons, the progress bar and the note on characters the tables could not hold, and what the
// dialog does with a build's outcome. The build itself, with all its file work and the overwrite
// question's logic, is the core's; a subclass only says which build runs. Command3 and the answer
// Cancel close the dialog, so exec() returns, and a dialog that its opener marked WA_DeleteOnClose
// is deleted.
class TableBuilderDialog : public QDialog {
    Q_OBJECT

public:
    TableBuilderDialog(AppContext& context, const TableBuilderLook& look, QWidget* parent);

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

protected:
    AppContext& context() const { return context_; }

    // Enter acts only on a focused button; in the path box it does nothing. Esc does nothing.
    void keyPressEvent(QKeyEvent* event) override;

    // Runs the build from `csv` into the data directory.
    virtual BuildOutcome build(const std::filesystem::path& csv, const AskOverwrite& ask,
                               BuildProgress& progress) = 0;

private:
    void createControls(const TableBuilderLook& look);
    void describeControls(const TableBuilderLook& look);
    void setTabOrderAndFocus();
    OverwriteAnswer askOverwrite(const std::u16string& question);
    BuildOutcome runBuild();
    void apply(const BuildOutcome& outcome);
    void showSubstitutions(std::size_t count);

    AppContext& context_;
    QLabel* Label1;
    QLineEdit* Text1;
    QPushButton* Command2;
    QPushButton* Command1;
    QProgressBar* ProgressBar1;
    QPushButton* Command3;
    QLabel* Label2;
};

} // namespace mervasto

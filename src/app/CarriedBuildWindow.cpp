#include "app/CarriedBuildWindow.h"

#include "app/WindowText.h"
#include "builders/dialogs/ProgressBarAdapter.h"
#include "ui/JapaneseFont.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>

namespace mervasto {

CarriedBuildWindow::CarriedBuildWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("CarriedBuildWindow"));
    setWindowTitle(WindowText::carriedBuildCaption());
    setFixedSize(twipsToPixels(5055), twipsToPixels(1200));
    setFont(japaneseFont(9));
    auto* const prompt = placeControl(new QLabel(WindowText::carriedBuildPrompt(), this), "Label1",
                                      twipsRect(360, 240, 4335, 255));
    prompt->setTextFormat(Qt::PlainText);
    ProgressBar1 =
        placeControl(new QProgressBar(this), "ProgressBar1", twipsRect(360, 600, 4335, 255));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setValue(0);
    ProgressBar1->setAccessibleName(QStringLiteral("進行状況"));
}

BuildOutcome CarriedBuildWindow::build(const std::vector<CarriedBuild>& builds,
                                       const std::filesystem::path& dataDir) {
    show();
    // The build holds the event loop: the window is drawn once before it starts, and its bar
    // repaints itself as the build reports.
    QApplication::processEvents();
    ProgressBarAdapter progress(*ProgressBar1);
    for (const auto& carried : builds) {
        BuildOutcome outcome = buildFromCarriedData(carried, dataDir, progress);
        if (outcome.result != BuildResult::Completed)
            return outcome;
    }
    return {BuildResult::Completed, {}, 0};
}

} // namespace mervasto

#pragma once

#include "builders/CarriedTables.h"

#include <QDialog>

#include <filesystem>
#include <vector>

class QProgressBar;

namespace mervasto {

// The small window that shows start-up's build from the postal data that came with the
// program: a line of text and the builders' progress bar, no button and no question.
class CarriedBuildWindow : public QDialog {
    Q_OBJECT

public:
    explicit CarriedBuildWindow(QWidget* parent = nullptr);

    // Shows the window and builds `builds` into `dataDir` one after the other, up to the first
    // that does not complete, whose outcome it returns; a completed outcome when all did.
    BuildOutcome build(const std::vector<CarriedBuild>& builds,
                       const std::filesystem::path& dataDir);

private:
    QProgressBar* ProgressBar1 = nullptr;
};

} // namespace mervasto

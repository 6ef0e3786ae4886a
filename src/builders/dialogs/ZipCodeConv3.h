#pragma once

#include "builders/dialogs/TableBuilderDialog.h"

namespace mervasto {

// The business-office table builder: turns JIGYOSYO.CSV into ZipCode2.txt. The main window
// shows it modelessly, so both stay usable.
class ZipCodeConv3 : public TableBuilderDialog {
    Q_OBJECT

public:
    explicit ZipCodeConv3(AppContext& context, QWidget* parent = nullptr);

protected:
    BuildOutcome build(const std::filesystem::path& csv, const AskOverwrite& ask,
                       BuildProgress& progress) override;
};

} // namespace mervasto

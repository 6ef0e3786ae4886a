#pragma once

#include "builders/dialogs/TableBuilderDialog.h"

namespace mervasto {

// The national table builder: turns KEN_ALL.CSV into ZIPCODE.TXT, ZIPID1.txt and ZipCode1.txt
// and refills the shared IndexTable, so the main window searches the new table at once.
// The main window shows it modally.
class ZipCodeConv1 : public TableBuilderDialog {
    Q_OBJECT

public:
    explicit ZipCodeConv1(AppContext& context, QWidget* parent = nullptr);

protected:
    BuildOutcome build(const std::filesystem::path& csv, const AskOverwrite& ask,
                       BuildProgress& progress) override;
};

} // namespace mervasto

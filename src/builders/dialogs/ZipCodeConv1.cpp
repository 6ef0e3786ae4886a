#include "builders/dialogs/ZipCodeConv1.h"

#include "builders/NationalTableBuild.h"
#include "ui/AppContext.h"

namespace mervasto {

namespace {

TableBuilderLook nationalLook() {
    return {QStringLiteral("ZipCodeConv1"),
            QStringLiteral("解凍した KEN_ALL.CSV ﾌｧｲﾙから ZIPCODE.1TXT ﾌｧｲﾙを作成します。"),
            QStringLiteral("ﾌｧｲﾙ名：　\\Ken_all.csv　のパスを入力してください。"), 3975, 1575};
}

} // namespace

ZipCodeConv1::ZipCodeConv1(AppContext& context, QWidget* parent)
    : TableBuilderDialog(context, nationalLook(), parent) {}

BuildOutcome ZipCodeConv1::build(const std::filesystem::path& csv, const AskOverwrite& ask,
                                 BuildProgress& progress) {
    return buildNationalTables(csv, context().dataDir, context().filest.indexTable, ask, progress);
}

} // namespace mervasto

#include "builders/dialogs/ZipCodeConv3.h"

#include "builders/OfficeTableBuild.h"
#include "ui/AppContext.h"

namespace mervasto {

namespace {

TableBuilderLook officeLook() {
    return {QStringLiteral("ZipCodeConv3"),
            QStringLiteral("解凍した JIGYOSYO.CSV ﾌｧｲﾙから ZIPCODE2.TXT ﾌｧｲﾙを作成します。"),
            QStringLiteral("ﾌｧｲﾙ名：　\\Jigyosyo.csv　のパスを入力してください。"), 4335, 1455};
}

} // namespace

ZipCodeConv3::ZipCodeConv3(AppContext& context, QWidget* parent)
    : TableBuilderDialog(context, officeLook(), parent) {}

BuildOutcome ZipCodeConv3::build(const std::filesystem::path& csv, const AskOverwrite& ask,
                                 BuildProgress& progress) {
    return buildOfficeTable(csv, context().dataDir, ask, progress);
}

} // namespace mervasto

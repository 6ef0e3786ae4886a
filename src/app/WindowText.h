#pragma once

#include <QString>

// What the main window says besides its controls' captions. The searches' texts are in
// search/SearchText.h, the builders' in builders/BuildText.h.
namespace mervasto::WindowText {

inline QString caption() {
    return QStringLiteral("メルバスト");
}

// A second copy of the program.
inline QString alreadyRunning() {
    return QStringLiteral("メルバストは既に起動されています。");
}
inline QString alreadyRunningTitle() {
    return QStringLiteral("Application already open ");
}

// The warning at activation while no index is loaded (titled as the searches' errors).
inline QString noIndex() {
    return QStringLiteral("ZIPCODE.TXT が見つかりません。確認してください。");
}

// The date label's caption, before the date of the data the tables came from.
inline QString dataDateCaption() {
    return QStringLiteral("郵便番号ﾃﾞｰﾀﾌｧｲﾙの更新日：");
}

// Start-up's build from the postal data that came with the program: its small window, and
// the one message when it fails, naming the cause.
inline QString carriedBuildCaption() {
    return QStringLiteral("郵便番号表の作成");
}
inline QString carriedBuildPrompt() {
    return QStringLiteral("付属の郵便番号データから郵便番号表を作成しています...");
}
inline QString carriedBuildFailed(const QString& dataDir, const QString& cause) {
    return QStringLiteral("付属の郵便番号データから郵便番号表を作成できませんでした。\n"
                          "作成先：%1\n原因：%2")
        .arg(dataDir, cause);
}

// The status bar's note at start-up when the data is more than three months old.
inline QString oldData(const QString& dataDate) {
    return QStringLiteral("郵便番号データ（%1）は3か月以上前のものです。"
                          "[ファイル]メニューの[郵便番号データの更新]で新しいデータにできます。")
        .arg(dataDate);
}

// The File menu's update from the operator's current files, and the way back.
inline QString updateMenuItem() {
    return QStringLiteral("郵便番号データの更新(&U)...");
}
inline QString revertMenuItem() {
    return QStringLiteral("以前の郵便番号データに戻す(&R)...");
}

inline QString copied() {
    return QStringLiteral(
        "郵便番号をクリップボードにコピーしました。[OK] ボタンを選択してください。");
}

// The search box's tooltip in each mode.
inline QString addressKeyTip() {
    return QStringLiteral("入力する住所・地名は、丁目・番地は省いてください。");
}
inline QString officeKeyTip() {
    return QStringLiteral("事業所名を入力します。");
}

// The address-list conversion: its menu item, its dialog and its failure. Its closing
// summary is the search layer's (conversionSummaryText).
inline QString batchMenuItem() {
    return QStringLiteral("住所一覧から郵便番号を一括変換(&B)...");
}
inline QString batchCaption() {
    return QStringLiteral("住所一覧から郵便番号を一括変換");
}
inline QString batchInputPrompt() {
    return QStringLiteral("住所一覧のファイル名（CSV または 1 行に 1 住所）：");
}
inline QString batchColumnPrompt() {
    return QStringLiteral("住所の列(&L)：");
}
inline QString batchHeaderOption() {
    return QStringLiteral("1行目は見出し(&H)");
}
inline QString batchOutputPrompt() {
    return QStringLiteral("出力ファイル名：");
}
inline QString batchFailed() {
    return QStringLiteral("住所一覧を変換できませんでした。ファイルを確認してください。");
}
inline QString batchOutputIsInput() {
    return QStringLiteral("出力ファイルが住所一覧そのものです。別のファイル名を指定してください。");
}
inline QString batchOpenQuotedField() {
    return QStringLiteral("住所一覧が \" で囲んだ項目の途中で終わっています。"
                          "ファイルが途中で切れていないか確認してください。");
}
inline QString batchNoSuchColumn(int column) {
    return QStringLiteral("住所一覧のどの行にも %1 列目がありません。住所の列を確認してください。")
        .arg(column);
}
inline QString batchOpenOutput() {
    return QStringLiteral("結果を開く(&O)");
}
inline QString batchPreviewName() {
    return QStringLiteral("住所一覧の先頭の行（列見出しで住所の列を選べます）");
}
inline QString batchResultName() {
    return QStringLiteral("判定ごとの件数");
}

// What screen readers say of the controls that have no label of their own, and what each
// control is for. The search box is named by its label and described by its tooltip.
namespace Accessible {
inline QString text1Description() {
    return QStringLiteral("選んだ検索結果の郵便番号です。");
}
inline QString text4Name() {
    return QStringLiteral("選んだ検索結果");
}
inline QString text4Description() {
    return QStringLiteral("一覧で選んだ行の全体です。");
}
inline QString list2Name() {
    return QStringLiteral("検索結果");
}
// The list's description: the number of lines it holds.
inline QString list2Count(int lines) {
    return QStringLiteral("%1件").arg(lines);
}
inline QString command4Description() {
    return QStringLiteral("入力した住所・地名の郵便番号を検索します。");
}
inline QString command1Description() {
    return QStringLiteral("入力と検索結果を消して、次の検索に備えます。");
}
inline QString command3Description() {
    return QStringLiteral("郵便番号をクリップボードにコピーします。");
}
inline QString check1Description() {
    return QStringLiteral("チェックすると、事業所名で個別郵便番号を検索します。");
}
inline QString statusName() {
    return QStringLiteral("状態");
}
} // namespace Accessible

} // namespace mervasto::WindowText

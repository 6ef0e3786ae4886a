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

} // namespace mervasto::WindowText

#pragma once

#include "builders/ChangeReport.h"

#include <string>

namespace mervasto {

// What an update and a revert say, in the window and on the command line.
namespace UpdateText {
inline constexpr char16_t Title[] = u"郵便番号データの更新";
inline constexpr char16_t Updated[] = u"郵便番号データを更新しました。";
inline constexpr char16_t Unchanged[] = u"郵便番号データは最新です。変更はありません。";
inline constexpr char16_t NotUpdated[] =
    u"郵便番号データを更新できませんでした。データは元のままです。";
inline constexpr char16_t AddressMayHaveMoved[] =
    u"ダウンロード先のアドレスが変わった可能性があります。";
inline constexpr char16_t RevertTitle[] = u"以前の郵便番号データに戻す";
inline constexpr char16_t RevertQuestion[] = u"以前の郵便番号データに戻しますか？";
inline constexpr char16_t Reverted[] = u"以前の郵便番号データに戻しました。";
inline constexpr char16_t NothingToRevert[] = u"戻せる以前の郵便番号データがありません。";

// Asked before a national list that lost more than a tenth of its lines replaces the current.
inline std::u16string shrinkQuestion(const ChangeReport& report) {
    const auto fresh = std::to_string(report.newAddressLines);
    const auto current = std::to_string(report.currentAddressLines);
    return u"新しい全国版のデータは " + std::u16string(fresh.begin(), fresh.end()) +
           u" 行で、今のデータの " + std::u16string(current.begin(), current.end()) +
           u" 行より大きく減っています。置き換えますか？";
}
} // namespace UpdateText

} // namespace mervasto

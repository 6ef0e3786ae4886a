#pragma once

#include <cstddef>
#include <string>

namespace mervasto {

// What the builders say, shared by the dialogs and the command-line tool.
namespace BuildText {
inline constexpr char16_t ErrorMessage[] = u" エラーが発生しました。作業を中止します。";
inline constexpr char16_t ErrorTitle[] = u"メルバスト";
inline constexpr char16_t QuestionTitle[] = u"ファイルに保存";
inline constexpr char16_t NationalQuestion[] =
    u"既に ZIPCODE.TXT データがあります。新規に作成しますか？";
inline constexpr char16_t OfficeQuestion[] =
    u"既に ZipCode2.txt データがあります。新規に作成しますか？";

// Said after a build from a UTF-8 file that held characters the tables cannot hold.
inline std::u16string substitutionNotice(std::size_t count) {
    const auto number = std::to_string(count);
    return u"CP932 で表せない文字 " + std::u16string(number.begin(), number.end()) +
           u" 個を「〓」に置き換えました。";
}
} // namespace BuildText

} // namespace mervasto

#pragma once

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
} // namespace BuildText

} // namespace mervasto

#pragma once

namespace mervasto::SearchText {

// Panel 1 of the status bar.
inline constexpr char16_t Searching[] = u"　検索中です。しばらくお待ちください。";
inline constexpr char16_t SearchingOffices[] = u"　検索中です。";
inline constexpr char16_t EnterAddress[] = u"　検索する住所を入力して下さい。";
inline constexpr char16_t FoundCountSuffix[] = u"件　見つかりました。";
inline constexpr char16_t AddressNotFoundSuffix[] =
    u" は、見つかりませんでした。都市名を入力して再度検索してください。";
inline constexpr char16_t OfficeNotFoundSuffix[] =
    u" は、見つかりませんでした。事業所名を変えて再度検索してください。";
inline constexpr char16_t Aborted[] = u" 処理を中止します。";

// The error message boxes.
inline constexpr char16_t ErrorTitle[] = u"Error Check";
inline constexpr char16_t AddressTableMissing[] =
    u"全国版の郵便番号表 ZIPCODE1.TXT が見つかりません。確認してください。";
inline constexpr char16_t OfficeTableMissing[] =
    u"事業所の個別郵便番号表 ZipCode2.txt が見つかりません。確認してください。";

// The columns that a converted address list gains, and the end of a conversion:
// "<rows>件中 <found>件の郵便番号が見つかりました。".
inline constexpr char16_t CodeColumn[] = u"郵便番号";
inline constexpr char16_t CountColumn[] = u"候補数";
inline constexpr char16_t StatusColumn[] = u"判定";
// The error of a row that is too short to have the address column.
inline constexpr char16_t NoAddressColumn[] = u"この行には住所の列がありません。";
inline constexpr char16_t ConvertedRowsSuffix[] = u"件中 ";
inline constexpr char16_t ConvertedFoundSuffix[] = u"件の郵便番号が見つかりました。";
// "<output file> は既にあります。置き換えますか？"
inline constexpr char16_t OutputExistsSuffix[] = u" は既にあります。置き換えますか？";

// Removed from an address key before it is searched (the first occurrence only).
inline constexpr char16_t Oaza[] = u"大字";

} // namespace mervasto::SearchText

#include "search/SpellingVariants.h"

#include <algorithm>
#include <array>

namespace mervasto {

namespace {

constexpr std::u16string_view KanjiDigits = u"〇一二三四五六七八九";
constexpr std::array<std::u16string_view, 5> Counters = {u"条", u"丁目", u"線", u"番町", u"地割"};

void replaceEach(std::u16string& text, std::u16string_view from, char16_t to) {
    std::replace_if(
        text.begin(), text.end(), [from](char16_t c) { return from.find(c) != from.npos; }, to);
}

void removeAll(std::u16string& text, std::u16string_view what) {
    for (std::size_t at = text.find(what); at != text.npos; at = text.find(what, at))
        text.erase(at, what.size());
}

bool isKanjiNumeral(char16_t c) {
    return c == u'十' || KanjiDigits.find(c) != KanjiDigits.npos;
}

bool counterAt(std::u16string_view text, std::size_t at) {
    return std::any_of(Counters.begin(), Counters.end(), [&](std::u16string_view counter) {
        return text.substr(at).starts_with(counter);
    });
}

// 二十九 -> 29, 十 -> 10, 三 -> 3, 一〇 -> 10.
std::u16string arabicOf(std::u16string_view kanji) {
    const std::size_t ten = kanji.find(u'十');
    if (ten == kanji.npos) {
        std::u16string digits;
        for (const char16_t c : kanji)
            digits += static_cast<char16_t>(u'0' + KanjiDigits.find(c));
        return digits;
    }
    const std::u16string_view tens = kanji.substr(0, ten);
    const std::u16string_view units = kanji.substr(ten + 1);
    const int value = (tens.empty() ? 1 : static_cast<int>(KanjiDigits.find(tens.front()))) * 10 +
                      (units.empty() ? 0 : static_cast<int>(KanjiDigits.find(units.front())));
    std::u16string digits;
    for (const char c : std::to_string(value))
        digits += static_cast<char16_t>(c);
    return digits;
}

bool isPlainKanjiNumber(std::u16string_view kanji) {
    const std::size_t ten = kanji.find(u'十');
    if (ten == kanji.npos)
        return true;
    return ten <= 1 && kanji.size() - ten <= 2 && kanji.find(u'十', ten + 1) == kanji.npos;
}

void fullWidthDigits(std::u16string& text) {
    for (char16_t& c : text)
        if (c >= u'０' && c <= u'９')
            c = static_cast<char16_t>(u'0' + (c - u'０'));
}

void kanjiNumbersBeforeCounters(std::u16string& text) {
    std::u16string result;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = at;
        while (end < text.size() && isKanjiNumeral(text[end]))
            ++end;
        const std::u16string_view number = std::u16string_view(text).substr(at, end - at);
        if (end > at && counterAt(text, end) && isPlainKanjiNumber(number)) {
            result += arabicOf(number);
            at = end;
        } else if (end > at) {
            result += number;
            at = end;
        } else {
            result += text[at++];
        }
    }
    text = std::move(result);
}

void hyphens(std::u16string& text) {
    replaceEach(text, u"－−‐‑‒–—―ｰ", u'-');
}

void ke(std::u16string& text) {
    replaceEach(text, u"ヶがガ", u'ケ');
}

void no(std::u16string& text) {
    replaceEach(text, u"の之", u'ノ');
}

// Only in front of a name: a 字 further on marks the part of a town within it.
void aza(std::u16string& text) {
    for (const std::u16string_view prefix : {u"大字", u"字"}) {
        if (text.starts_with(prefix)) {
            text.erase(0, prefix.size());
            return;
        }
    }
}

void spaces(std::u16string& text) {
    removeAll(text, u" ");
    removeAll(text, u"　");
}

constexpr std::array<SpellingRule, 7> Rules = {{
    {u"full-width and half-width digits", fullWidthDigits},
    {u"kanji and Arabic numbers before 条, 丁目, 線, 番町, 地割", kanjiNumbersBeforeCounters},
    {u"full-width and half-width hyphens and dashes", hyphens},
    {u"ケ, ヶ, が, ガ", ke},
    {u"ノ, の, 之", no},
    {u"大字 and 字 in front of a town name present or absent", aza},
    {u"spaces between the parts", spaces},
}};

} // namespace

std::span<const SpellingRule> spellingRules() {
    return Rules;
}

std::u16string commonSpelling(std::u16string_view text) {
    std::u16string result(text);
    for (const SpellingRule& rule : Rules)
        rule.apply(result);
    return result;
}

} // namespace mervasto

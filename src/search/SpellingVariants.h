#pragma once

#include <span>
#include <string>
#include <string_view>

namespace mervasto {

// One of the usual ways an address is written differently from the national file: the rule
// brings every spelling it covers to one form, so that two spellings of a name meet.
struct SpellingRule {
    std::u16string_view covers; // what the rule makes equal, for people reading the table
    void (*apply)(std::u16string& text);
};

// The rules, in the order they are applied.
std::span<const SpellingRule> spellingRules();

// `text` in the one form of every rule: half-width Arabic digits (also for kanji numbers
// before 条, 丁目, 線, 番町 and 地割), "-" for every hyphen, ケ for ヶ, が and ガ, ノ for の and
// 之, no 大字 or 字 in front, no spaces.
std::u16string commonSpelling(std::u16string_view text);

} // namespace mervasto

#pragma once

#include <string>

namespace mervasto {

// An office name as the business-office table stores it: the first "（株）" replaced by
// "株式会社" (later ones stay), then every ideographic space (U+3000) removed. Half-width
// spaces and "(株)" with ASCII parentheses stay as they are.
std::u16string officeName(std::u16string name);

} // namespace mervasto

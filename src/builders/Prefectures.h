#pragma once

#include <string_view>

namespace mervasto {

// Whether `name` is the full name of one of the 47 prefectures ("東京都", "北海道", ...).
bool isPrefectureName(std::u16string_view name);

} // namespace mervasto

#include "builders/OfficeName.h"

#include "data/Containment.h"

#include <string_view>

namespace mervasto {

std::u16string officeName(std::u16string name) {
    constexpr std::u16string_view shortForm = u"（株）";
    if (const auto position = occursAt(shortForm, name))
        name.replace(position - 1, shortForm.size(), u"株式会社");
    std::erase(name, u'\u3000');
    return name;
}

} // namespace mervasto

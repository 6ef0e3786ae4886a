#include "data/Cp932Repertoire.h"

#include "data/Cp932Codec.h"

#include <string>
#include <string_view>

namespace mervasto {

namespace {

struct CharacterPair {
    char16_t unicode;
    char16_t cp932;
};

// The Unicode forms of CP932 characters whose CP932 reading differs (the JIS and Microsoft
// readings of the same bytes).
constexpr CharacterPair CounterpartPairs[] = {
    {u'\u2212', u'\uFF0D'}, // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
    {u'\u301C', u'\uFF5E'}, // WAVE DASH -> FULLWIDTH TILDE
    {u'\u2016', u'\u2225'}, // DOUBLE VERTICAL LINE -> PARALLEL TO
    {u'\u2014', u'\u2015'}, // EM DASH -> HORIZONTAL BAR
    {u'\u00A2', u'\uFFE0'}, // CENT SIGN
    {u'\u00A3', u'\uFFE1'}, // POUND SIGN
    {u'\u00AC', u'\uFFE2'}, // NOT SIGN
    {u'\u00A6', u'\uFFE4'}, // BROKEN BAR
};

char16_t counterpart(char16_t unit) {
    for (const auto& pair : CounterpartPairs)
        if (pair.unicode == unit)
            return pair.cp932;
    return unit;
}

} // namespace

Cp932Repertoire::Cp932Repertoire() {
    known_.fill(0);
}

char16_t Cp932Repertoire::lookUp(char16_t unit) const {
    if (unit < 0x80)
        return unit;
    const char16_t candidate = counterpart(unit);
    const std::string bytes = encodeCp932(std::u16string_view(&candidate, 1));
    if (bytes == "?")
        return Substitute;
    const std::u16string readBack = decodeCp932(bytes);
    return readBack.size() == 1 ? readBack.front() : Substitute;
}

} // namespace mervasto

#pragma once

#include <array>
#include <bitset>

namespace mervasto {

// What a character of a UTF-8 input becomes in the tables, which hold CP932: the character
// that CP932 writes for it, as the CP932 converter reads it back. The operator's UTF-8 files
// use the Unicode forms of some CP932 characters that the converter maps elsewhere (U+2212
// MINUS SIGN for the CP932 minus U+FF0D, U+301C WAVE DASH for U+FF5E, ...); those are taken
// as their CP932 counterparts. A character that CP932 cannot hold becomes Substitute.
class Cp932Repertoire {
public:
    static constexpr char16_t Substitute = u'\u3013'; // 〓

    Cp932Repertoire();

    // `unit` is a character of the Basic Multilingual Plane, not a surrogate.
    char16_t tableCharacter(char16_t unit) {
        // Most characters stay as they are: a bit each says so, and those bits fit the
        // processor's nearest cache where the whole table does not.
        if (unchanged_.test(unit))
            return unit;
        char16_t& known = known_[unit];
        if (known == 0) {
            known = lookUp(unit);
            if (known == unit)
                unchanged_.set(unit);
        }
        return known;
    }

private:
    char16_t lookUp(char16_t unit) const;

    std::bitset<0x10000> unchanged_;      // looked up, and stays as it is
    std::array<char16_t, 0x10000> known_; // 0: not looked up yet
};

} // namespace mervasto

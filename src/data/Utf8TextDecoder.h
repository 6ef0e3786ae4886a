#pragma once

#include "data/Cp932Repertoire.h"
#include "data/TextDecoder.h"

#include <string>

namespace mervasto {

// Reads a UTF-8 input file as the tables will hold it: each character as Cp932Repertoire
// gives it, "〓" for one that CP932 cannot hold (counted). Bytes that are not UTF-8 are bad
// characters, and CP932 cannot hold those either.
class Utf8TextDecoder : public TextDecoder {
public:
    void decode(std::string_view bytes, bool final, std::u16string& out) override;
    std::size_t substitutedCount() const override { return substituted_; }

private:
    bool completeCutCharacter(std::string_view& bytes, bool final, std::u16string& out);
    void appendForTables(std::string_view utf8, std::u16string& out);
    char16_t tableCharacter(char32_t code);
    char16_t bmpTableCharacter(char16_t unit) {
        const char16_t stored = repertoire_.tableCharacter(unit);
        if (stored == Cp932Repertoire::Substitute && unit != Cp932Repertoire::Substitute)
            ++substituted_;
        return stored;
    }

    Cp932Repertoire repertoire_;
    std::string pending_;
    std::string joined_; // the cut character and the bytes that complete it
    std::size_t substituted_ = 0;
};

} // namespace mervasto

#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace mervasto::test {

// A made-up month of the operator's data: one national row per code (a town area of its own,
// "町<code>" in 千代田区) and one business office per code, zipped as the operator publishes
// them. Codes are seven-digit numbers; a code may be given a town area name of its own, so that
// an address can change its code from one month to the next.
struct MonthOfData {
    std::vector<int> nationalCodes;
    std::vector<int> officeCodes;
    std::vector<std::pair<int, std::u16string>> renamedTowns; // code -> town area

    std::string nationalCsv() const; // KEN_ALL.CSV's bytes, CP932
    std::string officesCsv() const;  // JIGYOSYO.CSV's bytes, CP932

    // ken_all.zip and jigyosyo.zip in `dir`, with a fixed entry date.
    void writeZips(const std::filesystem::path& dir) const;
};

// `count` consecutive codes from `first`.
std::vector<int> codeRange(int first, int count);

} // namespace mervasto::test

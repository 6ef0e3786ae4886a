// Both searches on arbitrary table files and keys. The input's sections are the key (UTF-16
// code units, little-endian: any text, unpaired surrogates included), then ZIPID1.txt,
// ZIPCODE.TXT, ZipCode1.txt and ZIPCODE2.txt; a table whose section is missing does not exist.

#include "FuzzSupport.h"
#include "data/Filest.h"
#include "data/IndexLoader.h"
#include "search/Search.h"

#include <array>
#include <string>

using namespace mervasto;

namespace {

constexpr std::array<const char*, 4> TableNames = {"ZIPID1.txt", "ZIPCODE.TXT", "ZipCode1.txt",
                                                   "ZIPCODE2.txt"};

void checkOutcome(const SearchOutcome& outcome) {
    if (outcome.message) {
        fuzz::require(!outcome.buttonsEnabled, "buttons enabled after an error");
        return;
    }
    fuzz::require(!outcome.copyEnabled || !outcome.lines.empty(), "copy enabled with no line");
    fuzz::require(!outcome.status.empty(), "no status text");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static IndexTable index;
    const auto sections = fuzz::splitSections(fuzz::asBytes(data, size), 1 + TableNames.size());
    const auto dir = fuzz::freshDirectory("tables");
    for (std::size_t table = 0; table + 1 < sections.size(); ++table)
        fuzz::writeFile(dir / TableNames[table], sections[table + 1]);
    loadIndexTable(dir, index);

    const std::u16string key = fuzz::utf16FromBytes(sections[0]);
    std::size_t progressCalls = 0;
    const TextPassProgress progress = [&](const ResultLines&) { ++progressCalls; };
    checkOutcome(runSearch(dir, index, key, false, progress));
    checkOutcome(runSearch(dir, index, key, true));
    return 0;
}

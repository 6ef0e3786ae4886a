// The national builder on arbitrary CSV bytes, over the tables of the previous input. A
// completed build leaves exactly the three tables, a whole number of records, and an index in
// memory equal to the one a restart would load; a failed one leaves every file and the index
// as they were.

#include "BuildChecks.h"
#include "FuzzSupport.h"
#include "builders/NationalTableBuild.h"
#include "data/Filest.h"
#include "data/IndexLoader.h"
#include "data/ZipRecord.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace fs = std::filesystem;
using namespace mervasto;

namespace {

// The tables the first input finds: spelt in capitals, as another copy may have left them.
fs::path dataDirectory() {
    const fs::path dir = fuzz::freshDirectory("national");
    fuzz::writeFile(dir / "ZIPCODE.TXT", std::string(2 * ZipRecord::Length, '1'));
    fuzz::writeFile(dir / "ZIPID1.TXT", "old,old, 1 \r\n,, 3 \r\n");
    fuzz::writeFile(dir / "ZIPCODE1.TXT", "old\r\n");
    return dir;
}

std::string lowerCase(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name;
}

struct IndexEntries {
    std::int16_t count;
    std::vector<std::u16string> keys, cities;
    std::vector<std::int32_t> firstRecords;

    explicit IndexEntries(const IndexTable& table) : count(table.Count) {
        keys.assign(table.Key.begin(), table.Key.begin() + count);
        cities.assign(table.City.begin(), table.City.begin() + count);
        firstRecords.assign(table.FirstRecord.begin(), table.FirstRecord.begin() + count);
    }
    bool operator==(const IndexEntries&) const = default;
};

// A name that the index file carries unchanged: the line writer does not quote, so commas,
// quotes, line ends and leading spaces read back differently, and U+FFFD is written as "?".
bool survivesTheFile(const std::u16string& name) {
    return name.find_first_of(u",\"\r\n\uFFFD") == std::u16string::npos &&
           (name.empty() || name.front() != u' ');
}

void checkCompleted(const fs::path& dir, const IndexTable& index) {
    const fuzz::DirectorySnapshot files = fuzz::snapshot(dir);
    fuzz::require(files.size() == 4, "a completed build left other than three tables and a record");
    for (const auto& [name, bytes] : files) {
        const std::string lower = lowerCase(name);
        fuzz::require(lower == "zipcode.txt" || lower == "zipid1.txt" || lower == "zipcode1.txt" ||
                          lower == "tablesources.txt",
                      "a completed build left a stray file");
        if (lower == "zipcode.txt")
            fuzz::require(bytes.size() % ZipRecord::Length == 0, "a partial record was written");
    }
    const IndexEntries built(index);
    if (!std::all_of(built.keys.begin(), built.keys.end(), survivesTheFile) ||
        !std::all_of(built.cities.begin(), built.cities.end(), survivesTheFile))
        return;
    static IndexTable reloaded;
    fuzz::require(loadIndexTable(dir, reloaded), "the written index does not load");
    fuzz::require(IndexEntries(reloaded) == built,
                  "the written index differs from the refilled one");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fs::path dir = dataDirectory();
    static const fs::path csv = fuzz::freshDirectory("national-input") / "KEN_ALL.CSV";
    static IndexTable index;
    fuzz::writeFile(csv, fuzz::asBytes(data, size));

    const fuzz::DirectorySnapshot before = fuzz::snapshot(dir);
    const IndexEntries indexBefore(index);
    fuzz::CheckingProgress progress;
    const BuildOutcome outcome = buildNationalTables(csv, dir, index, fuzz::answerYes, progress);
    if (outcome.result == BuildResult::Completed) {
        checkCompleted(dir, index);
    } else {
        fuzz::require(fuzz::snapshot(dir) == before, "a failed build changed the tables");
        fuzz::require(IndexEntries(index) == indexBefore, "a failed build changed the index");
    }
    return 0;
}

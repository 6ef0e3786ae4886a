// The business-office builder on arbitrary CSV bytes, over the table of the previous input. A
// completed build leaves exactly the one table; a failed one leaves it byte for byte.

#include "BuildChecks.h"
#include "FuzzSupport.h"
#include "builders/OfficeTableBuild.h"

#include <string>

namespace fs = std::filesystem;
using namespace mervasto;

namespace {

fs::path dataDirectory() {
    const fs::path dir = fuzz::freshDirectory("offices");
    fuzz::writeFile(dir / "ZIPCODE2.TXT", "100-0001\xE3\x80\x80old\r\n");
    return dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fs::path dir = dataDirectory();
    static const fs::path csv = fuzz::freshDirectory("offices-input") / "JIGYOSYO.CSV";
    fuzz::writeFile(csv, fuzz::asBytes(data, size));

    const fuzz::DirectorySnapshot before = fuzz::snapshot(dir);
    fuzz::CheckingProgress progress;
    const BuildOutcome outcome = buildOfficeTable(csv, dir, fuzz::answerYes, progress);
    const fuzz::DirectorySnapshot after = fuzz::snapshot(dir);
    if (outcome.result == BuildResult::Completed)
        fuzz::require(after.size() == 2,
                      "a completed build left other than the table and a record");
    else
        fuzz::require(after == before, "a failed build changed the table");
    return 0;
}

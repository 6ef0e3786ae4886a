#include "builders/OfficeTableBuild.h"
#include "builders/BuildText.h"

#include "builders/CsvRowReader.h"
#include "builders/GuardedBuild.h"
#include "builders/OfficeName.h"
#include "builders/OverwriteQuestion.h"
#include "builders/SourceRecord.h"
#include "builders/TableReplacement.h"
#include "data/Int16.h"
#include "data/ItemReader.h"
#include "data/LineWriter.h"
#include "data/PostalCode.h"
#include "data/SourceText.h"
#include "data/TablePaths.h"
#include "data/Utf8.h"

#include <cstdint>
#include <span>
#include <string>
#include <utility>

namespace fs = std::filesystem;

namespace mervasto {

namespace {

constexpr int ProgressMaximum = 50000;

// One line of ZipCode2.txt: the hyphenated code of column 8, U+3000, the name of column 3.
std::u16string officeLine(std::span<const std::u16string_view> items) {
    return hyphenatedCode(items[7]) + u'\u3000' + officeName(std::u16string(items[2]));
}

// One line per complete record. The record count is 16-bit: the line of the 32,768th record
// is written, then the count overflows and the build fails.
void writeOffices(ItemReader& csv, const fs::path& csvFile, const fs::path& tableFile,
                  BuildProgress& progress) {
    LineWriter out(tableFile);
    CsvRowReader records(csv, OfficeRowShape, toUtf8(csvFile.u16string()));
    std::int16_t recordCount = 0;
    for (auto items = records.next(); !items.empty(); items = records.next()) {
        out.writeLine(officeLine(items));
        incrementInt16(recordCount, "the number of business-office records");
        progress.setValue(recordCount);
    }
    out.close();
}

} // namespace

BuildOutcome buildOfficeTable(const fs::path& csv, const fs::path& dataDir, const AskOverwrite& ask,
                              BuildProgress& progress, DataOrigin origin) {
    return guardedBuild([&] {
        progress.setRange(0, ProgressMaximum);
        ItemReader input(SourceFile(csv).open());
        fs::create_directories(dataDir); // the user's data directory, on the first build
        const auto tableFile = resolveTablePath(dataDir, TableFile::Offices);
        if (auto stop = confirmOverwrite(tableFile, BuildText::OfficeQuestion, ask))
            return std::move(*stop);

        TableReplacement table(dataDir);
        const auto newTable = table.add(tableFile);
        addSourceRecord(table, dataDir, TableSet::Offices, {origin, sourceDate(csv)});
        writeOffices(input, csv, newTable, progress);
        progress.setValue(ProgressMaximum);
        table.commit();
        return BuildOutcome{BuildResult::Completed, {}, input.substitutedCount()};
    });
}

} // namespace mervasto

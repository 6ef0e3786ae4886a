#include "builders/NationalTableBuild.h"
#include "builders/BuildText.h"

#include "builders/CsvRowReader.h"
#include "builders/GuardedBuild.h"
#include "builders/OverwriteQuestion.h"
#include "builders/SourceRecord.h"
#include "builders/TableReplacement.h"
#include "data/DataError.h"
#include "data/Int16.h"
#include "data/ItemReader.h"
#include "data/LineWriter.h"
#include "data/PostalCode.h"
#include "data/RecordFile.h"
#include "data/SourceText.h"
#include "data/TablePaths.h"
#include "data/Utf8.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace mervasto {

namespace {

constexpr int ProgressMaximum = 150000;

// The columns of a KEN_ALL.CSV row that the tables use, taken from each row in turn; the
// joined texts keep their storage from row to row.
class NationalRow {
public:
    void take(std::span<const std::u16string_view> items) {
        code_ = items[2];
        city_ = items[7];
        key_.assign(items[6]).append(items[7]);
        address_.assign(key_).append(items[8]);
    }

    std::u16string_view code() const { return code_; }         // column 3
    std::u16string_view city() const { return city_; }         // column 8
    const std::u16string& key() const { return key_; }         // columns 7 + 8: the grouping key
    const std::u16string& address() const { return address_; } // columns 7 + 8 + 9

private:
    std::u16string_view code_;
    std::u16string_view city_;
    std::u16string key_;
    std::u16string address_;
};

struct IndexEntry {
    std::u16string key;
    std::u16string city;
    std::int32_t firstRecord = 0;
};

// The index as built: one entry per run of rows with equal key, then the closing entry.
class IndexEntries {
public:
    // Opens an entry when `row` starts a new run; returns whether it did. The previous key
    // starts empty, so leading rows with an empty key open no entry.
    bool follow(const NationalRow& row, std::int32_t recordNo) {
        if (row.key() == previousKey_)
            return false;
        incrementInt16(entryCount_, "the number of index entries");
        entries_.push_back({row.key(), std::u16string(row.city()), recordNo});
        previousKey_ = row.key();
        return true;
    }

    // Adds the closing entry (empty key and city, record count + 1). The loaded index counts
    // its entries, the closing one included, in a 16-bit number, so that must fit too.
    void close(std::int32_t recordCount) {
        std::int16_t count = entryCount_;
        incrementInt16(count, "the number of index entries");
        entries_.push_back({{}, {}, recordCount + 1});
    }

    // The number of entries opened by rows (the slot of the closing entry).
    int runCount() const { return entryCount_; }
    const std::vector<IndexEntry>& entries() const { return entries_; }
    std::vector<IndexEntry>& entries() { return entries_; }

private:
    std::vector<IndexEntry> entries_;
    std::u16string previousKey_;
    std::int16_t entryCount_ = 0;
};

// Record pass: one ZIPCODE.TXT record per complete row; the index entries on the way.
IndexEntries writeRecords(ItemReader& csv, const fs::path& csvFile, const fs::path& recordFile,
                          BuildProgress& progress) {
    RecordFileWriter records(recordFile);
    IndexEntries index;
    CsvRowReader rows(csv, NationalRowShape, toUtf8(csvFile.u16string()));
    NationalRow row;
    std::int32_t recordNo = 0;
    for (auto items = rows.next(); !items.empty(); items = rows.next()) {
        row.take(items);
        ++recordNo;
        records.write(recordNo, encodeZipRecord(row.code(), row.address()));
        if (index.follow(row, recordNo))
            progress.setValue(recordNo);
    }
    records.close();
    index.close(recordNo);
    return index;
}

// Index pass: ZIPID1.txt, three lines per entry, the closing entry last.
void writeIndex(const IndexEntries& index, const fs::path& indexFile, BuildProgress& progress) {
    progress.setRange(0, index.runCount());
    LineWriter out(indexFile);
    int slot = 0;
    for (const auto& entry : index.entries()) {
        out.writeLine(entry.key);
        out.writeLine(entry.city);
        out.writeNumber(entry.firstRecord);
        progress.setValue(slot++);
    }
    out.close();
}

// List pass: ZipCode1.txt, one line per complete row, from a second reading of the CSV.
void writeLines(const SourceFile& source, const fs::path& csvFile, const fs::path& linesFile,
                BuildProgress& progress) {
    progress.setRange(0, ProgressMaximum);
    ItemReader csv(source.open());
    LineWriter out(linesFile);
    CsvRowReader rows(csv, NationalRowShape, toUtf8(csvFile.u16string()));
    NationalRow row;
    std::u16string line;
    std::int32_t lineCount = 0;
    for (auto items = rows.next(); !items.empty(); items = rows.next()) {
        row.take(items);
        line.clear();
        appendHyphenatedCode(row.code(), line);
        line += u"\u3000\u3000";
        line += row.address();
        out.writeLine(line);
        progress.setValue(++lineCount);
    }
    out.close();
}

// Puts the new entries into slots 0 to n and sets Count; the slots beyond keep what they
// held. Swapping cannot fail, so the table is never left half refilled.
void refill(IndexTable& table, std::vector<IndexEntry>& entries) noexcept {
    for (std::size_t slot = 0; slot < entries.size(); ++slot) {
        table.Key[slot].swap(entries[slot].key);
        table.City[slot].swap(entries[slot].city);
        table.FirstRecord[slot] = entries[slot].firstRecord;
    }
    table.Count = static_cast<std::int16_t>(entries.size());
}

// Builds the files, and refills `index` when there is one.
BuildOutcome buildTables(const fs::path& csv, const fs::path& dataDir, IndexTable* index,
                         const AskOverwrite& ask, BuildProgress& progress, DataOrigin origin) {
    return guardedBuild([&] {
        progress.setRange(0, ProgressMaximum);
        const SourceFile source(csv);
        ItemReader input(source.open());
        fs::create_directories(dataDir); // the user's data directory, on the first build
        const auto recordFile = resolveTablePath(dataDir, TableFile::Records);
        if (auto stop = confirmOverwrite(recordFile, BuildText::NationalQuestion, ask))
            return std::move(*stop);

        TableReplacement tables(dataDir);
        const auto newRecords = tables.add(recordFile);
        const auto newIndex = tables.add(resolveTablePath(dataDir, TableFile::Index));
        const auto newLines = tables.add(resolveTablePath(dataDir, TableFile::Lines));
        addSourceRecord(tables, dataDir, TableSet::National, {origin, sourceDate(csv)});
        auto entries = writeRecords(input, csv, newRecords, progress);
        tables.completed(newRecords);
        writeIndex(entries, newIndex, progress);
        writeLines(source, csv, newLines, progress);
        progress.setValue(ProgressMaximum);
        tables.commit();
        if (index)
            refill(*index, entries.entries());
        return BuildOutcome{BuildResult::Completed, {}, input.substitutedCount()};
    });
}

} // namespace

BuildOutcome buildNationalTables(const fs::path& csv, const fs::path& dataDir, IndexTable& index,
                                 const AskOverwrite& ask, BuildProgress& progress,
                                 DataOrigin origin) {
    return buildTables(csv, dataDir, &index, ask, progress, origin);
}

BuildOutcome buildNationalTables(const fs::path& csv, const fs::path& dataDir,
                                 const AskOverwrite& ask, BuildProgress& progress,
                                 DataOrigin origin) {
    return buildTables(csv, dataDir, nullptr, ask, progress, origin);
}

} // namespace mervasto

#include "search/Search.h"

#include "data/Containment.h"
#include "data/Int16.h"
#include "data/ItemReader.h"
#include "data/PostalCode.h"
#include "data/RecordFile.h"
#include "data/TablePaths.h"
#include "search/LoadedTables.h"
#include "search/SearchMatch.h"
#include "search/SearchText.h"
#include "search/TextLineTable.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <optional>

namespace mervasto {

namespace {

// The typed text with its first "大字" removed, the parts before and after joined.
std::u16string removeFirstOaza(std::u16string_view typed) {
    std::u16string key(typed);
    const std::size_t at = occursAt(SearchText::Oaza, key);
    if (at != 0)
        key.erase(at - 1, std::char_traits<char16_t>::length(SearchText::Oaza));
    return key;
}

// The address search over ZIPCODE.TXT, ZIPID1.txt (in `index`) and ZipCode1.txt. The members
// are the search's working state: the key (shortened while narrowing), the entry chosen by
// the last city lookup and what the window will show.
class AddressSearch {
public:
    AddressSearch(const std::filesystem::path& dataDir, const IndexTable& index,
                  const SearchKey& key, const TextPassProgress& progress,
                  const LoadedTables* tables, bool indexStagesOnly = false)
        : dataDir_(dataDir), index_(index), key_(key), progress_(progress),
          indexStagesOnly_(indexStagesOnly), lineTable_(tables ? &tables->lines : nullptr),
          recordTable_(tables ? &tables->records : nullptr), tables_(tables) {}

    SearchOutcome run() {
        outcome_.status = SearchText::Searching;
        try {
            searchAllStages();
        } catch (const std::exception& error) {
            records_.reset();
            abortSearch(outcome_, SearchText::AddressTableMissing, error.what());
            outcome_.focusText2 = true;
        }
        return std::move(outcome_);
    }

private:
    void searchAllStages() {
        if (recordTable_)
            recordTable_->requireOpened();
        else
            records_.emplace(resolveTablePath(dataDir_, TableFile::Records));
        searchKey_ = removeFirstOaza(key_.searched);
        if (searchKey_.empty()) {
            records_.reset();
            outcome_.focusText2 = true;
            return;
        }
        lookupCity(index_.Key);
        ScanCityRecords();
        if (outcome_.lines.empty()) {
            lookupCity(index_.City);
            ScanCityRecords();
        }
        outcome_.status = foundCountText(outcome_.lines.size());
        if (!outcome_.lines.empty())
            outcome_.stage = SearchStage::Index;
        else if (indexStagesOnly_)
            return;
        else
            narrowFromTheEnd();
        records_.reset();
        if (outcome_.lines.empty())
            textPass();
        finishSearch(outcome_, key_.typed, SearchText::AddressNotFoundSuffix);
    }

    // The first entry, in index order, whose name in `names` occurs in the key. The closing
    // entry's empty name occurs in every key, so it is chosen when no city matches.
    void lookupCity(const IndexTable::Column<std::u16string>& names) {
        if (tables_) {
            const CityNameLookup& lookup = &names == &index_.Key ? tables_->byKey : tables_->byCity;
            currentEntry_ = lookup.firstIn(searchKey_);
            return;
        }
        currentEntry_.reset();
        for (int entry = 0; entry < index_.Count; ++entry) {
            if (occursAt(names[entry], searchKey_) != 0) {
                currentEntry_ = entry;
                return;
            }
        }
    }

    // Lists the records of the current entry that match the key. The entry covers the records
    // up to the next entry's first one; the last entry in use (the closing one) covers none.
    // Records outside the file are absent and match nothing.
    void ScanCityRecords() {
        if (!currentEntry_ || *currentEntry_ + 1 >= index_.Count)
            return;
        const std::int32_t first = index_.FirstRecord[*currentEntry_];
        const std::int64_t last = std::int64_t{index_.FirstRecord[*currentEntry_ + 1]} - 1;
        const std::int64_t lastPresent = std::min<std::int64_t>(
            last, recordTable_ ? recordTable_->recordCount() : records_->recordCount());
        for (std::int64_t recordNo = std::max(first, 1); recordNo <= lastPresent; ++recordNo) {
            const auto number = static_cast<std::int32_t>(recordNo);
            if (recordTable_) {
                const TableRecord& record = recordTable_->record(number);
                listIfMatching(matchEntry(record.compared(), searchKey_), record.code,
                               record.address);
            } else if (const std::optional<ZipRecord> record = records_->read(number)) {
                const EntryMatch match = matchEntry(comparedAddress(record->Address), searchKey_);
                if (match.listed())
                    listIfMatching(match, hyphenatedCode(record->Code), record->Address);
            }
        }
    }

    void listIfMatching(const EntryMatch& match, std::u16string_view code,
                        std::u16string_view address) {
        if (match.exact) {
            outcome_.code = code;
            outcome_.copyEnabled = true;
        }
        if (match.listed())
            outcome_.lines.push_back(std::u16string(code) + u"  " + std::u16string(address));
    }

    // Shortens the key by one character at a time, from its end, and repeats the lookup by
    // city name until something is listed; the shortest key tried has one character.
    void narrowFromTheEnd() {
        const std::int16_t attempts =
            checkedInt16(searchKey_.size() - 1, "the number of shortened keys");
        for (std::int16_t attempt = 0; attempt < attempts && outcome_.lines.empty(); ++attempt) {
            searchKey_.pop_back();
            lookupCity(index_.City);
            ScanCityRecords();
        }
        if (!outcome_.lines.empty())
            outcome_.stage = SearchStage::Narrowed;
    }

    // Every line of ZipCode1.txt tested against the key as typed (without its first "大字").
    // Each line is one entry exactly as written, commas included.
    void textPass() {
        if (lineTable_) {
            textPassOverTable();
            return;
        }
        ItemReader lines(resolveTablePath(dataDir_, TableFile::Lines));
        startTextPass();
        std::size_t linesRead = 0;
        std::size_t linesReported = 0;
        std::u16string line;
        while (!lines.atEnd()) {
            lines.readLine(line);
            listIfMatchingLine(outcome_, line, searchKey_);
            if (++linesRead % TextPassProgressInterval == 0 && progress_ &&
                outcome_.lines.size() != linesReported) {
                linesReported = outcome_.lines.size();
                progress_(outcome_.lines);
            }
        }
    }

    // The same pass over lines read before: only the lines that can match are tested.
    void textPassOverTable() {
        lineTable_->requireOpened();
        startTextPass();
        lineTable_->forEachCandidate(searchKey_, [this](const std::u16string& line) {
            listIfMatchingLine(outcome_, line, searchKey_);
        });
    }

    void startTextPass() {
        outcome_.stage = SearchStage::TextPass;
        outcome_.status = SearchText::Searching;
        outcome_.lines.clear();
        outcome_.code.clear();
        outcome_.copyEnabled = false;
        searchKey_ = removeFirstOaza(key_.searched);
    }

    const std::filesystem::path& dataDir_;
    const IndexTable& index_;
    const SearchKey key_;
    const TextPassProgress& progress_;
    const bool indexStagesOnly_;
    TextLineTable* const lineTable_;
    RecordTable* const recordTable_;
    const LoadedTables* const tables_;

    std::optional<RecordFileReader> records_;
    std::u16string searchKey_;
    std::optional<int> currentEntry_;
    SearchOutcome outcome_;
};

} // namespace

SearchOutcome searchAddress(const std::filesystem::path& dataDir, const IndexTable& index,
                            const SearchKey& key, const TextPassProgress& progress) {
    return AddressSearch(dataDir, index, key, progress, nullptr).run();
}

SearchOutcome searchAddress(const std::filesystem::path& dataDir, const IndexTable& index,
                            const SearchKey& key, const LoadedTables& tables,
                            bool indexStagesOnly) {
    return AddressSearch(dataDir, index, key, {}, &tables, indexStagesOnly).run();
}

} // namespace mervasto

#pragma once

#include "TestFiles.h"
#include "builders/BuildOutcome.h"
#include "data/Filest.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace mervasto::test {

// Every file of a directory with its bytes, and the index entries in use: what a failure must
// leave exactly as it was.
struct TablesState {
    std::map<std::string, std::string> files;
    std::int16_t count = 0;
    std::vector<std::u16string> keys, cities;
    std::vector<std::int32_t> firstRecords;

    bool operator==(const TablesState&) const = default;
};
TablesState tablesState(const std::filesystem::path& dir, const IndexTable& index);

// A progress bar that shows nothing.
class NoProgress : public BuildProgress {
public:
    void setRange(int, int) override {}
    void setValue(int) override {}
};

// Both builders, answering Yes to the overwrite question.
BuildOutcome buildNational(const std::filesystem::path& csv, const std::filesystem::path& dataDir,
                           IndexTable& index);
BuildOutcome buildOffices(const std::filesystem::path& csv, const std::filesystem::path& dataDir);

// The tables of a completed build of both builders into `dataDir` (10 rows and 10 offices,
// their CSVs written into `scratch`): what a later failure must leave as it was. A failed
// build is a fatal test failure.
void buildPreviousTables(const std::filesystem::path& scratch, const std::filesystem::path& dataDir,
                         IndexTable& index);

// KEN_ALL.CSV rows: `rows` rows in runs of `rowsPerCity` rows of one city each. Row n has the
// code 1000000 + n, the city C0000, C0001, ... (no city name inside another) and the town
// 丸の内n, in 東京都.
std::string nationalCsv(int rows, int rowsPerCity);
// JIGYOSYO.CSV records, each of its own office.
std::string officeCsv(int records);

// Runs `work` on a thread of its own and waits at most `limit` for it: a regression into an
// endless loop then fails the test instead of hanging the suite. Returns the work's result, or
// nothing when it has not finished (the thread is left to run until the process ends).
template <typename Result>
std::optional<Result> finishesWithin(std::chrono::seconds limit, std::function<Result()> work) {
    auto result = std::make_shared<std::promise<Result>>();
    std::future<Result> future = result->get_future();
    std::thread([result, work = std::move(work)] { result->set_value(work()); }).detach();
    if (future.wait_for(limit) != std::future_status::ready)
        return std::nullopt;
    return future.get();
}

// A file of `size` bytes that all read as 0, which takes no room on disk (a hole).
void writeSparseZeros(const std::filesystem::path& file, std::uintmax_t size);

// The peak resident memory of this process so far, in bytes.
std::size_t peakResidentBytes();

} // namespace mervasto::test

// mervasto-bench-core: the start-up index load and the searches, in the core, on tables built
// from the full data, and the national build in the core (no process, no window).

#include "BenchmarkArguments.h"

#include "builders/NationalTableBuild.h"
#include "data/Filest.h"
#include "data/IndexLoader.h"
#include "search/Search.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace mervasto::bench {

namespace {

// Keys for each way the address search answers: the index stages (prefecture, city and town),
// narrowing from the end (a city without its prefecture, then town, block and number) and the
// text pass at its worst (a key that occurs in every line, so every line is listed).
constexpr char16_t IndexKey[] = u"東京都千代田区丸の内";
constexpr char16_t NarrowingKey[] = u"千代田区丸の内１丁目９";
constexpr char16_t TextPassKey[] = u"-";

class NoProgress : public BuildProgress {
public:
    void setRange(int, int) override {}
    void setValue(int) override {}
};

// The whole national build from KEN_ALL.CSV into the work directory, overwriting the tables
// that the previous iteration wrote.
void buildNational(benchmark::State& state, const BenchmarkArguments& arguments) {
    IndexTable index;
    NoProgress progress;
    const AskOverwrite overwrite = [](const std::u16string&) { return OverwriteAnswer::Yes; };
    for (auto _ : state) {
        const BuildOutcome outcome = buildNationalTables(arguments.nationalCsv, arguments.workDir,
                                                         index, overwrite, progress);
        if (outcome.result != BuildResult::Completed) {
            state.SkipWithError(("the build failed: " + outcome.detail).c_str());
            return;
        }
    }
}

void loadIndex(benchmark::State& state, const BenchmarkArguments& arguments) {
    for (auto _ : state) {
        state.PauseTiming();
        auto table = std::make_unique<IndexTable>();
        state.ResumeTiming();
        if (!loadIndexTable(arguments.tables, *table))
            state.SkipWithError("ZIPID1.txt did not load");
        benchmark::DoNotOptimize(table->Count);
        state.PauseTiming();
        table.reset();
        state.ResumeTiming();
    }
}

void search(benchmark::State& state, const BenchmarkArguments& arguments, std::u16string key,
            bool officeMode) {
    IndexTable index;
    if (!loadIndexTable(arguments.tables, index)) {
        state.SkipWithError("ZIPID1.txt did not load");
        return;
    }
    std::size_t found = 0;
    for (auto _ : state) {
        const SearchOutcome outcome = runSearch(arguments.tables, index, key, officeMode);
        if (outcome.message || outcome.lines.empty()) {
            state.SkipWithError("the search listed nothing");
            return;
        }
        found = outcome.lines.size();
    }
    state.SetLabel(std::to_string(found) + " lines");
}

void registerBenchmarks(const BenchmarkArguments& arguments) {
    const auto inMilliseconds = benchmark::kMillisecond;
    benchmark::RegisterBenchmark("index_load", loadIndex, arguments)->Unit(inMilliseconds);
    benchmark::RegisterBenchmark("search_index", search, arguments, IndexKey, false)
        ->Unit(inMilliseconds);
    benchmark::RegisterBenchmark("search_narrowing", search, arguments, NarrowingKey, false)
        ->Unit(inMilliseconds);
    benchmark::RegisterBenchmark("search_text_pass", search, arguments, TextPassKey, false)
        ->Unit(inMilliseconds);
    if (!arguments.officeKey.empty())
        benchmark::RegisterBenchmark("search_office", search, arguments, arguments.officeKey, true)
            ->Unit(inMilliseconds);
    if (!arguments.nationalCsv.empty() && !arguments.workDir.empty())
        benchmark::RegisterBenchmark("national_build_core", buildNational, arguments)
            ->Unit(inMilliseconds)
            ->UseRealTime();
}

} // namespace

} // namespace mervasto::bench

int main(int argc, char** argv) {
    return mervasto::bench::runBenchmarks(argc, argv, mervasto::bench::registerBenchmarks);
}

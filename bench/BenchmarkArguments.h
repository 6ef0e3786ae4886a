#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace mervasto::bench {

// The benchmark programs' own arguments, given after Google Benchmark's --benchmark_* flags:
//   --tables=DIR        the directory that holds the national and business-office tables
//   --office-key=NAME   a business-office name to search for (UTF-8)
//   --csv=FILE          KEN_ALL.CSV, for the national builds
//   --work=DIR          a directory of its own that the national builds write into
//   --addresses=FILE    an address list with a header row, for the list conversion
struct BenchmarkArguments {
    std::filesystem::path tables;
    std::u16string officeKey;
    std::filesystem::path nationalCsv;
    std::filesystem::path workDir;
    std::filesystem::path addressList;
};

// Reads the arguments left in argv once Google Benchmark has taken its own; exits with a
// usage message when --tables is missing or an argument is not known.
BenchmarkArguments parseBenchmarkArguments(int argc, char** argv);

// A benchmark program's main: Google Benchmark takes its flags, `registerBenchmarks` gets the
// rest, then every registered benchmark runs.
int runBenchmarks(int argc, char** argv,
                  const std::function<void(const BenchmarkArguments&)>& registerBenchmarks);

} // namespace mervasto::bench

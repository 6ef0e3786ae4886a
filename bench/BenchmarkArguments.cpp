#include "BenchmarkArguments.h"

#include "data/Utf8.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace mervasto::bench {

namespace {

[[noreturn]] void usage(std::string_view program) {
    std::fprintf(stderr,
                 "usage: %.*s [--benchmark_...] --tables=DIR [--office-key=NAME] [--csv=FILE] "
                 "[--work=DIR] [--addresses=FILE]\n",
                 static_cast<int>(program.size()), program.data());
    std::exit(2);
}

std::filesystem::path pathFrom(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

} // namespace

BenchmarkArguments parseBenchmarkArguments(int argc, char** argv) {
    BenchmarkArguments arguments;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const std::size_t equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        const std::string_view value =
            equals == std::string_view::npos ? "" : arg.substr(equals + 1);
        if (name == "--tables")
            arguments.tables = pathFrom(value);
        else if (name == "--office-key")
            arguments.officeKey = fromUtf8(value);
        else if (name == "--csv")
            arguments.nationalCsv = pathFrom(value);
        else if (name == "--work")
            arguments.workDir = pathFrom(value);
        else if (name == "--addresses")
            arguments.addressList = pathFrom(value);
        else
            usage(argv[0]);
    }
    if (arguments.tables.empty())
        usage(argv[0]);
    return arguments;
}

int runBenchmarks(int argc, char** argv,
                  const std::function<void(const BenchmarkArguments&)>& registerBenchmarks) {
    benchmark::Initialize(&argc, argv);
    registerBenchmarks(parseBenchmarkArguments(argc, argv));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace mervasto::bench

// mervasto-bench-process: runs a command several times, its output discarded, and prints the
// median wall time in milliseconds, the median peak resident memory in KiB and the median
// processor time (user + system) in milliseconds:
//
//   mervasto-bench-process [--runs N] [--warmup N] [--expect STATUS] -- COMMAND [ARG...]
//
// Output: "<median wall ms> <median peak KiB> <median processor ms>". Every timed run must exit
// with STATUS (default 0); otherwise the timer fails with exit status 2. The warm-up runs are not
// timed.

#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Options {
    int runs = 5;
    int warmup = 1;
    int expectedStatus = 0;
    std::vector<char*> command; // null-terminated
};

struct RunResult {
    double wallMs = 0;
    long peakKiB = 0;
    double processorMs = 0;
    int status = -1;
};

[[noreturn]] void usage() {
    std::fputs("usage: mervasto-bench-process [--runs N] [--warmup N] [--expect STATUS] -- "
               "COMMAND [ARG...]\n",
               stderr);
    std::exit(2);
}

int parseCount(const char* text) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || value < 0 || value > 1000)
        usage();
    return static_cast<int>(value);
}

Options parseOptions(int argc, char** argv) {
    Options options;
    int arg = 1;
    for (; arg < argc && std::strcmp(argv[arg], "--") != 0; ++arg) {
        if (arg + 1 >= argc)
            usage();
        if (std::strcmp(argv[arg], "--runs") == 0)
            options.runs = parseCount(argv[++arg]);
        else if (std::strcmp(argv[arg], "--warmup") == 0)
            options.warmup = parseCount(argv[++arg]);
        else if (std::strcmp(argv[arg], "--expect") == 0)
            options.expectedStatus = parseCount(argv[++arg]);
        else
            usage();
    }
    if (arg + 1 >= argc || options.runs == 0)
        usage();
    options.command.assign(argv + arg + 1, argv + argc);
    options.command.push_back(nullptr);
    return options;
}

double milliseconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) * 1000.0 + static_cast<double>(time.tv_usec) / 1000.0;
}

// One run with standard output and standard error sent to /dev/null.
RunResult runOnce(const Options& options) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    RunResult result;
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawnError = posix_spawnp(&child, options.command[0], &actions, nullptr,
                                        options.command.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawnError != 0) {
        std::fprintf(stderr, "cannot start %s: %s\n", options.command[0],
                     std::strerror(spawnError));
        std::exit(2);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) {
        std::perror("wait4");
        std::exit(2);
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    result.wallMs = std::chrono::duration<double, std::milli>(elapsed).count();
    result.peakKiB = usage.ru_maxrss;
    result.processorMs = milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

template <typename T> T median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    const Options options = parseOptions(argc, argv);
    for (int run = 0; run < options.warmup; ++run)
        runOnce(options);

    std::vector<double> wallMs;
    std::vector<long> peakKiB;
    std::vector<double> processorMs;
    for (int run = 0; run < options.runs; ++run) {
        const RunResult result = runOnce(options);
        if (result.status != options.expectedStatus) {
            std::fprintf(stderr, "%s exited with %d, expected %d\n", options.command[0],
                         result.status, options.expectedStatus);
            return 2;
        }
        wallMs.push_back(result.wallMs);
        peakKiB.push_back(result.peakKiB);
        processorMs.push_back(result.processorMs);
    }
    std::printf("%.3f %ld %.3f\n", median(wallMs), median(peakKiB), median(processorMs));
    return 0;
}

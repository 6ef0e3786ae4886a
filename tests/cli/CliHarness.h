#pragma once

#include "TestFiles.h"
#include "cli/Console.h"
#include "data/TablePaths.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace mervasto::test {

using Json = nlohmann::ordered_json;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;

    Json json() const { return Json::parse(out); }
};

// Standard input given (not a terminal) and read whole; no lines for a prompt. What is
// written is kept. A console may be told to fail as a full disk or a broken pipe would.
class CapturingConsole : public cli::Console {
public:
    explicit CapturingConsole(std::string input) : input_(std::move(input)) {}

    void out(std::string_view utf8) override { written.out += utf8; }
    void err(std::string_view utf8) override { written.err += utf8; }
    bool outBytes(std::string_view bytes) override;
    std::optional<std::string> readLine() override { return std::nullopt; }
    std::optional<std::string> readAll() override;
    bool inputIsTerminal() const override { return false; }
    bool errorIsTerminal() const override { return false; }

    CliRun written;
    bool writesFail = false; // standard output is full: nothing is written
    bool readFails = false;  // standard input cannot be read

private:
    std::string input_;
};

// Runs mervasto-cli's commands in-process with `arguments` (without the program's name), as
// a program lying in `programDir`.
CliRun runCli(const std::vector<std::string>& arguments, std::string input = {},
              const std::filesystem::path& programDir = executableDirectory());
CliRun runCli(const std::vector<std::string>& arguments, CapturingConsole& console,
              const std::filesystem::path& programDir = executableDirectory());

#ifndef _WIN32
// Runs the built mervasto-cli with `arguments`, standard input empty (not a terminal), and
// standard output into `output` when given.
CliRun runProcess(const std::vector<std::string>& arguments, const std::string& output = {});
#endif

// Tables of the search fixture in a directory of their own, and the commands run on them.
class CliTest : public ::testing::Test {
protected:
    void SetUp() override;

    CliRun search(std::vector<std::string> arguments) const;
    CliRun convert(std::vector<std::string> arguments, std::string input = {}) const;

    TempDir dir;
};

} // namespace mervasto::test

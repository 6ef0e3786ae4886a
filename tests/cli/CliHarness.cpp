#include "CliHarness.h"

#include "SearchTables.h"
#include "cli/MervastoCli.h"

#include <utility>

#ifndef _WIN32
#include <cstdlib>
#include <sys/wait.h>
#endif

namespace mervasto::test {

bool CapturingConsole::outBytes(std::string_view bytes) {
    if (writesFail)
        return false;
    written.out += bytes;
    return true;
}

std::optional<std::string> CapturingConsole::readAll() {
    if (readFails)
        return std::nullopt;
    return std::exchange(input_, {});
}

CliRun runCli(const std::vector<std::string>& arguments, CapturingConsole& console,
              const std::filesystem::path& programDir) {
    std::vector<std::string> withName{"mervasto-cli"};
    withName.insert(withName.end(), arguments.begin(), arguments.end());
    console.written.status = cli::runCli(withName, console, programDir);
    return console.written;
}

CliRun runCli(const std::vector<std::string>& arguments, std::string input,
              const std::filesystem::path& programDir) {
    CapturingConsole console(std::move(input));
    return runCli(arguments, console, programDir);
}

#ifndef _WIN32
namespace {

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

} // namespace

CliRun runProcess(const std::vector<std::string>& arguments, const std::string& output) {
    const TempDir scratch;
    std::string command = shellQuoted(MERVASTO_CLI_PATH);
    for (const auto& argument : arguments)
        command += " " + shellQuoted(argument);
    const std::string outputFile = output.empty() ? (scratch / "out").string() : output;
    command +=
        " </dev/null >" + shellQuoted(outputFile) + " 2>" + shellQuoted((scratch / "err").string());
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1,
            output.empty() ? readBytes(scratch / "out") : std::string(),
            readBytes(scratch / "err")};
}
#endif

void CliTest::SetUp() {
    writeNationalTables(dir.path(), fixtureNationalRows());
    writeOfficeTable(dir.path(), fixtureOfficeLines());
}

CliRun CliTest::search(std::vector<std::string> arguments) const {
    arguments.insert(arguments.begin(), {"--data-dir", dir.path().string(), "search"});
    return runCli(arguments);
}

CliRun CliTest::convert(std::vector<std::string> arguments, std::string input) const {
    arguments.insert(arguments.begin(), {"--data-dir", dir.path().string(), "convert"});
    return runCli(arguments, std::move(input));
}

} // namespace mervasto::test

#include "BuildCommand.h"
#include "CommandLine.h"
#include "ExitStatus.h"
#include "SearchCommand.h"
#include "data/TablePaths.h"

#include <CLI/CLI.hpp>

#include <vector>

using namespace mervasto::cli;

int main(int argc, char** argv) {
    CLI::App app("Look up Japanese postal codes in the Mervasto tables.", "mervasto-cli");
    std::string dataDir;
    app.add_option("--data-dir", dataDir,
                   "The directory that holds the tables (default: the program's directory)")
        ->type_name("DIR");
    SearchCommand search(app);
    BuildCommand build(app);
    app.require_subcommand(1);
    app.footer("Forms:\n"
               "  mervasto-cli [--data-dir DIR] search [--office] [--json] KEY\n"
               "  mervasto-cli [--data-dir DIR] build national [--yes] CSV\n"
               "  mervasto-cli [--data-dir DIR] build offices [--yes] CSV\n"
               "Each command's --help tells more, and its exit statuses.");

    const std::vector<std::string> arguments = utf8Arguments(argc, argv);
    std::vector<const char*> pointers;
    for (const auto& argument : arguments)
        pointers.push_back(argument.c_str());
    try {
        app.parse(static_cast<int>(pointers.size()), pointers.data());
    } catch (const CLI::ParseError& error) {
        return app.exit(error) == 0 ? Success : Failure;
    }

    const auto directory =
        dataDir.empty() ? mervasto::executableDirectory() : pathFromUtf8(dataDir);
    return search.chosen() ? search.run(directory) : build.run(directory);
}

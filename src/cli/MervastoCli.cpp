#include "cli/MervastoCli.h"

#include "cli/BuildCommand.h"
#include "cli/CarriedTablesStep.h"
#include "cli/CommandLine.h"
#include "cli/ConvertCommand.h"
#include "cli/ExitStatus.h"
#include "cli/SearchCommand.h"
#ifdef MERVASTO_UPDATE
#include "cli/NetworkServices.h"
#include "cli/UpdateCommand.h"
#endif
#include "data/DataDirectory.h"
#include "data/DataError.h"
#include "data/TableCommit.h"
#include "data/TablePaths.h"

#include <CLI/CLI.hpp>

#include <sstream>

namespace mervasto::cli {

namespace {

// CLI11 reports --help and usage errors on streams; they go to the console like all output.
int reportParseEnd(const CLI::App& app, const CLI::ParseError& error, Console& console) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = app.exit(error, out, err);
    console.out(out.str());
    console.err(err.str());
    return status == 0 ? Success : Failure;
}

} // namespace

int runCli(const std::vector<std::string>& arguments, Console& console,
           const std::filesystem::path& programDir, [[maybe_unused]] UpdateServices* services) {
    CLI::App app("Look up Japanese postal codes in the Mervasto tables.", "mervasto-cli");
    std::string dataDir;
    app.add_option("--data-dir", dataDir,
                   "The directory that holds the tables (default: see `where`)")
        ->type_name("DIR");
    SearchCommand search(app);
    BuildCommand build(app);
    ConvertCommand convert(app);
#ifdef MERVASTO_UPDATE
    UpdateCommand update(app);
#endif
    const CLI::App* const where = app.add_subcommand(
        "where", "Print the directory that holds the tables: --data-dir when given, else the "
                 "program's directory when a file mervasto.portable lies beside it, else the "
                 "user's data directory");
    app.require_subcommand(1);
    app.footer("Forms:\n"
               "  mervasto-cli [--data-dir DIR] search [--office] [--json] KEY\n"
               "  mervasto-cli [--data-dir DIR] build national [--yes] CSV\n"
               "  mervasto-cli [--data-dir DIR] build offices [--yes] CSV\n"
               "  mervasto-cli [--data-dir DIR] convert [--column N] [--header] [--json]\n"
               "               [--output FILE] [--yes] [--no-bom] [FILE|-]\n"
#ifdef MERVASTO_UPDATE
               "  mervasto-cli [--data-dir DIR] update [--yes] [--national URL] [--offices URL]\n"
               "  mervasto-cli [--data-dir DIR] update --revert [--yes]\n"
#endif
               "  mervasto-cli [--data-dir DIR] where\n"
               "Each command's --help tells more, and its exit statuses.");

    std::vector<const char*> pointers;
    for (const auto& argument : arguments)
        pointers.push_back(argument.c_str());
    try {
        app.parse(static_cast<int>(pointers.size()), pointers.data());
    } catch (const CLI::ParseError& error) {
        return reportParseEnd(app, error, console);
    }

    const auto directory =
        chooseDataDirectory(pathFromUtf8(dataDir), programDir, processEnvironment);
    if (where->parsed()) {
        console.out(utf8FromPath(directory) + "\n");
        return Success;
    }
    // A build that died half way is finished or undone before any command reads the tables.
    // A directory that cannot be put right, or tables that cannot be read, end the command.
    try {
        recoverInterruptedCommit(directory);
#ifdef MERVASTO_UPDATE
        if (update.chosen())
            return services ? update.run(directory, console, *services)
                            : runWithNetwork(update, directory, console);
#endif
        if (!build.chosen())
            buildDueCarriedTables(directory, programDir, console);
        if (search.chosen())
            return search.run(directory, console);
        if (convert.chosen())
            return convert.run(directory, console);
        return build.run(directory, console);
    } catch (const DataError& error) {
        console.err(std::string(error.what()) + "\n");
        return Failure;
    }
}

} // namespace mervasto::cli

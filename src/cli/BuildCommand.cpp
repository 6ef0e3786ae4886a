#include "cli/BuildCommand.h"
#include "builders/BuildText.h"

#include "builders/NationalTableBuild.h"
#include "builders/OfficeTableBuild.h"
#include "cli/CommandLine.h"
#include "cli/ExitStatus.h"
#include "cli/TerminalPrompts.h"
#include "data/Utf8.h"

#include <memory>

namespace mervasto::cli {

namespace {

CLI::App* addBuilder(CLI::App& build, const std::string& name, const std::string& description,
                     bool& yes, std::string& csv) {
    CLI::App* builder = build.add_subcommand(name, description);
    builder->add_flag("--yes,-y", yes, "Replace tables that already hold data without asking");
    builder->add_option("CSV", csv, "The input file")->required();
    return builder;
}

} // namespace

BuildCommand::BuildCommand(CLI::App& app)
    : command_(app.add_subcommand("build", "Build the tables from the postal CSV files")) {
    national_ = addBuilder(*command_, "national",
                           "ZIPCODE.TXT, ZIPID1.txt and ZipCode1.txt from KEN_ALL.CSV", yes_, csv_);
    addBuilder(*command_, "offices", "ZipCode2.txt from JIGYOSYO.CSV", yes_, csv_);
    command_->require_subcommand(1);
    command_->footer("The input is the operator's CSV in CP932 or UTF-8, or a zip archive holding "
                     "it.\nExit status: 0 built, 1 existing tables kept (answered no or cancel, no "
                     "terminal to ask and no --yes, or the input is not the file the build "
                     "takes), 2 error or bad usage.");
}

int BuildCommand::run(const std::filesystem::path& dataDir, Console& console) const {
    const std::filesystem::path csv = pathFromUtf8(csv_);
    const OverwritePrompt ask(console, yes_);
    TerminalProgress progress(console);
    BuildOutcome outcome;
    if (national_->parsed())
        outcome = buildNationalTables(csv, dataDir, ask, progress);
    else
        outcome = buildOfficeTable(csv, dataDir, ask, progress);
    progress.finish();

    switch (outcome.result) {
    case BuildResult::Completed:
        if (outcome.substituted > 0)
            console.err(toUtf8(BuildText::substitutionNotice(outcome.substituted)) + "\n");
        return Success;
    case BuildResult::Declined:
    case BuildResult::Cancelled:
        return NothingDone;
    case BuildResult::Refused:
    case BuildResult::Failed:
        break;
    }
    console.err(toUtf8(BuildText::ErrorMessage) + "\n" + outcome.detail + "\n");
    return outcome.result == BuildResult::Refused ? NothingDone : Failure;
}

} // namespace mervasto::cli

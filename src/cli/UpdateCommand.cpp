#include "cli/UpdateCommand.h"

#include "builders/TableRevert.h"
#include "builders/UpdateText.h"
#include "cli/ExitStatus.h"
#include "cli/TerminalPrompts.h"
#include "data/Utf8.h"
#include "download/UpdateRun.h"

#include <variant>

namespace mervasto::cli {

namespace {

std::optional<QString> qtText(const std::optional<std::string>& utf8) {
    if (!utf8)
        return std::nullopt;
    return QString::fromUtf8(utf8->data(), static_cast<qsizetype>(utf8->size()));
}

bool confirmed(Console& console, bool yes, std::u16string_view question) {
    return OverwritePrompt(console, yes)(std::u16string(question)) == OverwriteAnswer::Yes;
}

// The stage and the bytes received on stderr at a terminal, then the builds' percentage.
class TerminalUpdateProgress final : public UpdateProgress {
public:
    explicit TerminalUpdateProgress(Console& console) : console_(console), builds_(console) {}
    ~TerminalUpdateProgress() override { builds_.finish(); }
    TerminalUpdateProgress(const TerminalUpdateProgress&) = delete;
    TerminalUpdateProgress& operator=(const TerminalUpdateProgress&) = delete;

    void stage(UpdateStage stage) override {
        builds_.finish();
        if (!console_.errorIsTerminal())
            return;
        if (receivedShown_)
            console_.err("\n");
        receivedShown_ = false;
        console_.err(stage == UpdateStage::DownloadingNational  ? "Downloading the national file\n"
                     : stage == UpdateStage::DownloadingOffices ? "Downloading the office file\n"
                                                                : "Building the tables\n");
    }
    void received(qint64 bytes, qint64) override {
        if (!console_.errorIsTerminal())
            return;
        receivedShown_ = true;
        console_.err("\r" + std::to_string(bytes / 1024) + " KB");
    }
    void setRange(int minimum, int maximum) override { builds_.setRange(minimum, maximum); }
    void setValue(int value) override { builds_.setValue(value); }

private:
    Console& console_;
    TerminalProgress builds_;
    bool receivedShown_ = false;
};

int reportUpdate(const UpdateRunOutcome& outcome, Console& console) {
    const UpdateOutcome& update = outcome.update;
    switch (update.result) {
    case UpdateResult::Completed:
        console.out(toUtf8(formatChangeReport(update.report)));
        console.out(toUtf8(UpdateText::Updated) + "\n");
        return Success;
    case UpdateResult::Unchanged:
        console.out(toUtf8(UpdateText::Unchanged) + "\n");
        return Success;
    case UpdateResult::Declined:
        console.out(toUtf8(formatChangeReport(update.report)));
        return NothingDone;
    case UpdateResult::Refused:
    case UpdateResult::Failed:
        break;
    }
    console.err(toUtf8(UpdateText::NotUpdated) + "\n" + update.detail + "\n");
    if (outcome.cancelled())
        return NothingDone;
    return update.result == UpdateResult::Refused ? NothingDone : Failure;
}

} // namespace

UpdateCommand::UpdateCommand(CLI::App& app)
    : command_(app.add_subcommand(
          "update", "Download the postal operator's current files and replace the tables")) {
    command_->add_flag("--yes,-y", yes_, "Answer yes to every question");
    command_->add_flag("--revert", revert_,
                       "Put back the tables that the last update or build replaced");
    command_
        ->add_option("--national", national_,
                     "Where to download KEN_ALL (a zip); default: the setting "
                     "Update/NationalUrl, else the operator's address")
        ->type_name("URL");
    command_
        ->add_option("--offices", offices_,
                     "Where to download JIGYOSYO (a zip); default: the setting "
                     "Update/OfficesUrl, else the operator's address")
        ->type_name("URL");
    command_->footer("Exit status: 0 updated, up to date or put back; 1 nothing replaced (not "
                     "confirmed, cancelled, a download that is not the operator's file, nothing "
                     "to put back); 2 error.");
}

int UpdateCommand::run(const std::filesystem::path& dataDir, Console& console,
                       UpdateServices& services) const {
    return revert_ ? revert(dataDir, console) : update(dataDir, console, services);
}

int UpdateCommand::update(const std::filesystem::path& dataDir, Console& console,
                          UpdateServices& services) const {
    const auto choice =
        chooseDownloadAddresses(services.settings, qtText(national_), qtText(offices_));
    if (const auto* invalid = std::get_if<InvalidAddress>(&choice)) {
        console.err(invalid->message + "\n");
        return Failure;
    }
    const auto confirmShrink = [&](const ChangeReport& report) {
        return confirmed(console, yes_, UpdateText::shrinkQuestion(report));
    };
    UpdateRunOutcome outcome;
    {
        TerminalUpdateProgress progress(console);
        outcome = runUpdate(services.downloader, std::get<DownloadAddresses>(choice), dataDir,
                            confirmShrink, progress);
    }
    return reportUpdate(outcome, console);
}

int UpdateCommand::revert(const std::filesystem::path& dataDir, Console& console) const {
    if (!canRevertTables(dataDir)) {
        console.err(toUtf8(UpdateText::NothingToRevert) + "\n");
        return NothingDone;
    }
    if (!confirmed(console, yes_, UpdateText::RevertQuestion))
        return NothingDone;
    const auto outcome = revertTables(dataDir);
    if (outcome.result != BuildResult::Completed) {
        console.err(outcome.detail + "\n");
        return outcome.result == BuildResult::Refused ? NothingDone : Failure;
    }
    console.out(toUtf8(UpdateText::Reverted) + "\n");
    return Success;
}

} // namespace mervasto::cli

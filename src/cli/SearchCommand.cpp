#include "cli/SearchCommand.h"

#include "cli/ExitStatus.h"
#include "data/IndexLoader.h"
#include "data/TableCommit.h"
#include "data/Utf8.h"
#include "search/Search.h"

#include <memory>
#include <nlohmann/json.hpp>

namespace mervasto::cli {

namespace {

std::string jsonText(const SearchOutcome& outcome) {
    auto lines = nlohmann::ordered_json::array();
    lines.get_ref<nlohmann::ordered_json::array_t&>().reserve(outcome.lines.size());
    for (const auto& line : outcome.lines)
        lines.push_back(toUtf8(line));
    nlohmann::ordered_json object;
    object["lines"] = std::move(lines);
    object["code"] = toUtf8(outcome.code);
    object["copy"] = outcome.copyEnabled;
    object["status"] = toUtf8(outcome.status);
    object["message"] = outcome.message ? nlohmann::ordered_json(toUtf8(outcome.message->text))
                                        : nlohmann::ordered_json(nullptr);
    return object.dump() + "\n";
}

// The lines without the padding that record-scan lines carry after their address.
std::string plainText(const SearchOutcome& outcome) {
    std::size_t units = 0;
    for (const auto& line : outcome.lines)
        units += line.size() + 1;
    std::string text;
    text.reserve(units * 3); // room enough: never more than three bytes per unit
    for (const auto& line : outcome.lines) {
        const std::size_t end = line.find_last_not_of(u' ');
        appendUtf8(std::u16string_view(line).substr(0, end + 1), text);
        text += '\n';
    }
    return text;
}

// Without --json, what the window would show besides the list: the message box, or the status
// when nothing was found. With --json the object holds both; only the cause of an error is
// added.
void reportOnStderr(const SearchOutcome& outcome, bool json, Console& console) {
    if (outcome.message)
        console.err((json ? "" : toUtf8(outcome.message->text) + "\n") + outcome.detail + "\n");
    else if (outcome.lines.empty() && !json)
        console.err(toUtf8(outcome.status) + "\n");
}

} // namespace

SearchCommand::SearchCommand(CLI::App& app)
    : command_(app.add_subcommand("search", "Search the postal-code tables; print what is found")) {
    command_->add_flag("--office", office_,
                       "Search the business-office table (ZipCode2.txt) instead of addresses");
    command_->add_flag("--json", json_,
                       "Print one JSON object: lines, code, copy, status and message");
    command_
        ->add_option("KEY", key_,
                     "The text to search for, used exactly as given (put -- before a key "
                     "that begins with -)")
        ->required();
    command_->footer(
        "Prints the result lines, one per line, in UTF-8; with --json one object instead:\n"
        "  {\"lines\": [...], \"code\": the postal code of an exact hit or \"\",\n"
        "   \"copy\": whether that code may be copied, \"status\": the status text,\n"
        "   \"message\": the error message or null}\n"
        "Exit status: 0 lines found, 1 nothing found (also for an empty KEY), 2 error or bad "
        "usage.");
}

int SearchCommand::run(const std::filesystem::path& dataDir, Console& console) const {
    const TableLock tables = lockWholeTables(dataDir); // no build replaces them meanwhile
    const auto index = std::make_unique<IndexTable>();
    if (!office_)
        loadIndexTable(dataDir, *index);
    const SearchOutcome outcome = runSearch(dataDir, *index, fromUtf8(key_), office_);

    console.out(json_ ? jsonText(outcome) : plainText(outcome));
    reportOnStderr(outcome, json_, console);
    if (outcome.message)
        return Failure;
    return outcome.lines.empty() ? NothingDone : Success;
}

} // namespace mervasto::cli

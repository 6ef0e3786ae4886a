#include "cli/ConvertCommand.h"

#include "builders/ReplacedFile.h"
#include "cli/CommandLine.h"
#include "cli/ExitStatus.h"
#include "cli/RowProgress.h"
#include "cli/TerminalPrompts.h"
#include "data/DataError.h"
#include "data/IndexLoader.h"
#include "data/OutputPath.h"
#include "data/TableCommit.h"
#include "data/Utf8.h"
#include "data/WholeFile.h"
#include "search/AddressListConversion.h"

#include <nlohmann/json.hpp>

#include <exception>
#include <memory>
#include <optional>

namespace mervasto::cli {

namespace {

std::string jsonLines(const AddressListConversion& conversion) {
    std::string text;
    for (const AddressAnswer& answer : conversion.answers()) {
        nlohmann::ordered_json object;
        object["address"] = toUtf8(answer.address);
        object["code"] = toUtf8(answer.code);
        object["count"] = answer.count;
        object["status"] = toUtf8(answerStatusText(answer.status));
        object["error"] = answer.error.empty() ? nlohmann::ordered_json(nullptr)
                                               : nlohmann::ordered_json(toUtf8(answer.error));
        text += object.dump() + "\n";
    }
    return text;
}

// `row` counts the input's rows from 1, the header row included.
void reportError(const AddressAnswer& answer, std::size_t row, Console& console) {
    std::string line = "row " + std::to_string(row) + ": " + toUtf8(answer.error);
    if (!answer.detail.empty())
        line += " (" + answer.detail + ")";
    console.err(line + "\n");
}

std::string faultText(AddressListFault fault, std::size_t column) {
    switch (fault) {
    case AddressListFault::OpenQuotedField:
        return "the list ends inside a quoted field: it may be cut short";
    case AddressListFault::NoSuchColumn:
        return "no row of the list has column " + std::to_string(column);
    case AddressListFault::None:
        break;
    }
    return {};
}

} // namespace

ConvertCommand::ConvertCommand(CLI::App& app)
    : command_(app.add_subcommand(
          "convert", "Append the postal code of each address of a list (CSV or one per line)")) {
    command_->add_option("--column", column_, "The address column, counting from 1 (default 1)")
        ->type_name("N")
        ->check(CLI::PositiveNumber);
    command_->add_flag("--header", header_,
                       "The first row names the columns: it gains the names of the new ones");
    command_->add_flag("--json", json_, "Print one JSON object per row instead of CSV");
    command_->add_option("--output", output_, "Write to FILE instead of standard output")
        ->type_name("FILE");
    command_->add_flag("--yes,-y", yes_, "Replace an existing output FILE without asking");
    command_->add_flag("--no-bom", noBom_, "Write a UTF-8 output FILE without the byte-order mark");
    command_->add_option("FILE", input_, "The list to convert; - or none: standard input");
    command_->footer(
        "Reads CSV in CP932 or UTF-8 (UTF-8 only when the whole file is) and writes it in the\n"
        "same encoding and line ends with three columns appended: the postal code (NNN-NNNN,\n"
        "empty when none), the number of lines the search listed, and how sure the answer is:\n"
        "一致, 補正一致, 部分一致, 複数候補, 該当なし or エラー. With --header the new\n"
        "columns are named \"郵便番号\", \"候補数\" and \"判定\". A UTF-8 output FILE starts\n"
        "with a byte-order mark unless --no-bom; standard output never does. With --json each\n"
        "row is {\"address\", \"code\", \"count\", \"status\", \"error\"}.\n"
        "The output may not be the list itself; an existing FILE is replaced only after a\n"
        "question on a terminal, or with --yes. The count of each status goes to stderr.\n"
        "Exit status: 0 no row is エラー, 1 some row is (the reason is on stderr, the other\n"
        "rows are converted), 2 error of the whole run (nothing is written) or bad usage.");
}

bool ConvertCommand::outputAllowed(Console& console) const {
    const std::filesystem::path input =
        input_ == "-" ? std::filesystem::path() : pathFromUtf8(input_);
    switch (classifyOutputPath(input, pathFromUtf8(output_))) {
    case OutputPath::Input:
        console.err(output_ + " is the list itself: choose another output file\n");
        return false;
    case OutputPath::Existing:
        return OverwritePrompt(console, yes_)(conversionOverwriteQuestion(fromUtf8(output_))) ==
               OverwriteAnswer::Yes;
    case OutputPath::New:
    case OutputPath::Device:
        break;
    }
    return true;
}

std::optional<std::string> ConvertCommand::readInput(Console& console) const {
    if (input_ == "-") {
        std::optional<std::string> bytes = console.readAll();
        if (!bytes)
            console.err("cannot read standard input\n");
        return bytes;
    }
    try {
        return readWholeFile(pathFromUtf8(input_));
    } catch (const DataError& error) {
        console.err("cannot read " + input_ + ": " + error.what() + "\n");
        return std::nullopt;
    }
}

bool ConvertCommand::write(const AddressListConversion& conversion, Console& console) const {
    if (output_.empty()) {
        const std::string output =
            json_ ? jsonLines(conversion) : conversion.outputBytes(ByteOrderMark::Omitted);
        if (console.outBytes(output))
            return true;
        console.err("cannot write to standard output\n");
        return false;
    }
    const std::string output =
        json_ ? jsonLines(conversion)
              : conversion.outputBytes(noBom_ ? ByteOrderMark::Omitted : ByteOrderMark::Written);
    try {
        writeOutputFile(pathFromUtf8(output_), output);
        return true;
    } catch (const std::exception& error) {
        console.err("cannot write " + output_ + ": " + error.what() + "\n");
        return false;
    }
}

int ConvertCommand::run(const std::filesystem::path& dataDir, Console& console) const {
    if (!output_.empty() && !outputAllowed(console))
        return Failure;
    const std::optional<std::string> input = readInput(console);
    if (!input)
        return Failure;
    AddressListConversion conversion(*input, {column_, header_});
    if (const AddressListFault fault = conversion.fault(); fault != AddressListFault::None) {
        console.err(faultText(fault, column_) + "\n");
        return Failure;
    }

    std::optional<TableLock> tables = lockWholeTables(dataDir); // no build replaces them meanwhile
    const auto index = std::make_unique<IndexTable>();
    loadIndexTable(dataDir, *index);
    BatchSearch search(dataDir, *index);
    RowProgress progress(console, conversion.rowCount());
    const std::size_t firstRow = header_ ? 2 : 1;
    while (!conversion.done()) {
        const AddressAnswer& answer = conversion.convertNext(search);
        if (answer.status == AnswerStatus::Error)
            reportError(answer, firstRow + conversion.rowsDone() - 1, console);
        progress.update(conversion.rowsDone());
    }
    progress.finish(conversion.rowsDone());
    tables.reset(); // the output file may go beside the tables, which needs the lock itself

    if (!write(conversion, console))
        return Failure;
    console.err(toUtf8(statusCountText(conversion.statusCounts())) + "\n");
    return conversion.statusCounts().of(AnswerStatus::Error) == 0 ? Success : NothingDone;
}

} // namespace mervasto::cli

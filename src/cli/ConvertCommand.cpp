#include "cli/ConvertCommand.h"

#include "builders/ReplacedFile.h"
#include "cli/CommandLine.h"
#include "cli/ExitStatus.h"
#include "cli/RowProgress.h"
#include "data/IndexLoader.h"
#include "data/TableCommit.h"
#include "data/Utf8.h"
#include "search/AddressListConversion.h"

#include <nlohmann/json.hpp>

#include <exception>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>

namespace mervasto::cli {

namespace {

std::optional<std::string> readInput(const std::string& name, Console& console) {
    if (name == "-")
        return console.readAll();
    std::ifstream in(pathFromUtf8(name), std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string jsonLines(const AddressListConversion& conversion) {
    std::string text;
    for (const AddressAnswer& answer : conversion.answers()) {
        nlohmann::ordered_json object;
        object["address"] = toUtf8(answer.address);
        object["code"] = toUtf8(answer.code);
        object["count"] = answer.count;
        object["error"] = answer.answered ? nlohmann::ordered_json(nullptr)
                                          : nlohmann::ordered_json(toUtf8(answer.error));
        text += object.dump() + "\n";
    }
    return text;
}

// `row` counts the input's rows from 1, the header row included.
void reportUnanswered(const AddressAnswer& answer, std::size_t row, Console& console) {
    console.err("row " + std::to_string(row) + ": " + toUtf8(answer.error) + " (" + answer.detail +
                ")\n");
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
    command_->add_option("FILE", input_, "The list to convert; - or none: standard input");
    command_->footer(
        "Reads CSV in CP932 or UTF-8 (told apart by the bytes; a UTF-8 byte-order mark is\n"
        "kept) and writes it in the same encoding with two columns appended: the postal code\n"
        "that a search of the address shows as its answer (empty when none) and the number\n"
        "of lines the search listed. With --header the new columns are named \"郵便番号\" and\n"
        "\"候補数\". With --json each row is {\"address\", \"code\", \"count\", \"error\"}.\n"
        "A progress line is shown on stderr when it is a terminal.\n"
        "Exit status: 0 every row answered, 1 some row's search failed (its code is left\n"
        "empty, the reason is on stderr, the other rows are converted), 2 error or bad usage.");
}

int ConvertCommand::run(const std::filesystem::path& dataDir, Console& console) const {
    const std::optional<std::string> input = readInput(input_, console);
    if (!input) {
        console.err("cannot read " + input_ + "\n");
        return Failure;
    }
    std::optional<TableLock> tables = lockWholeTables(dataDir); // no build replaces them meanwhile
    const auto index = std::make_unique<IndexTable>();
    loadIndexTable(dataDir, *index);
    BatchSearch search(dataDir, *index);
    AddressListConversion conversion(*input, {column_, header_});

    RowProgress progress(console, conversion.rowCount());
    const std::size_t firstRow = header_ ? 2 : 1;
    while (!conversion.done()) {
        const AddressAnswer& answer = conversion.convertNext(search);
        if (!answer.answered)
            reportUnanswered(answer, firstRow + conversion.rowsDone() - 1, console);
        progress.update(conversion.rowsDone());
    }
    progress.finish(conversion.rowsDone());
    tables.reset(); // the output file may go beside the tables, which needs the lock itself

    const std::string output = json_ ? jsonLines(conversion) : conversion.outputBytes();
    if (output_.empty()) {
        console.outBytes(output);
    } else {
        try {
            writeReplacing(pathFromUtf8(output_), output);
        } catch (const std::exception& error) {
            console.err("cannot write " + output_ + ": " + error.what() + "\n");
            return Failure;
        }
    }
    return conversion.allAnswered() ? Success : NothingDone;
}

} // namespace mervasto::cli

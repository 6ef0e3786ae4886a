#pragma once

#include "cli/Console.h"

#include <CLI/CLI.hpp>

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace mervasto {
class AddressListConversion;
}

namespace mervasto::cli {

// `convert [--column N] [--header] [--json] [--output FILE] [--yes] [--no-bom] [FILE|-]`: an
// address list with the postal code, the number of candidates and the status of each
// address appended, as CSV in the input's encoding or as one JSON object per row.
class ConvertCommand {
public:
    explicit ConvertCommand(CLI::App& app);

    bool chosen() const { return command_->parsed(); }
    int run(const std::filesystem::path& dataDir, Console& console) const;

private:
    // Whether the output may be written: never over the list, over another file only when
    // confirmed.
    bool outputAllowed(Console& console) const;
    std::optional<std::string> readInput(Console& console) const;
    bool write(const AddressListConversion& conversion, Console& console) const;

    CLI::App* command_;
    std::size_t column_ = 1;
    bool header_ = false;
    bool json_ = false;
    bool yes_ = false;
    bool noBom_ = false;
    std::string output_;
    std::string input_ = "-";
};

} // namespace mervasto::cli

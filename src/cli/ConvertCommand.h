#pragma once

#include "cli/Console.h"

#include <CLI/CLI.hpp>

#include <cstddef>
#include <filesystem>
#include <string>

namespace mervasto::cli {

// `convert [--column N] [--header] [--json] [--output FILE] [FILE|-]`: an address list with
// the postal code and the number of candidates of each address appended, as CSV in the
// input's encoding or as one JSON object per row.
class ConvertCommand {
public:
    explicit ConvertCommand(CLI::App& app);

    bool chosen() const { return command_->parsed(); }
    int run(const std::filesystem::path& dataDir, Console& console) const;

private:
    CLI::App* command_;
    std::size_t column_ = 1;
    bool header_ = false;
    bool json_ = false;
    std::string output_;
    std::string input_ = "-";
};

} // namespace mervasto::cli

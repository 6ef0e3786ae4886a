#pragma once

#include "cli/Console.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <string>

namespace mervasto::cli {

// `search [--office] [--json] KEY`: the search button's work on the tables in the data
// directory, printed as lines or as one JSON object.
class SearchCommand {
public:
    explicit SearchCommand(CLI::App& app);

    bool chosen() const { return command_->parsed(); }
    int run(const std::filesystem::path& dataDir, Console& console) const;

private:
    CLI::App* command_;
    bool office_ = false;
    bool json_ = false;
    std::string key_;
};

} // namespace mervasto::cli

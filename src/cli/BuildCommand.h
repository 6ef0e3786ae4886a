#pragma once

#include "cli/Console.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <string>

namespace mervasto::cli {

// `build national [--yes] CSV` and `build offices [--yes] CSV`: the two table builders. A file
// that is not the one the build takes exits 1, as the tables are kept.
class BuildCommand {
public:
    explicit BuildCommand(CLI::App& app);

    bool chosen() const { return command_->parsed(); }
    int run(const std::filesystem::path& dataDir, Console& console) const;

private:
    CLI::App* command_;
    CLI::App* national_;
    bool yes_ = false;
    std::string csv_;
};

} // namespace mervasto::cli

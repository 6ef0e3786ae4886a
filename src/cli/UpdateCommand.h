#pragma once

#include "cli/Console.h"
#include "download/UpdateServices.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <optional>
#include <string>

namespace mervasto::cli {

// `update [--yes] [--national URL] [--offices URL]`: downloads the operator's current files and
// replaces both sets of tables together, then prints what changed. `update --revert [--yes]`
// puts the previous set back.
class UpdateCommand {
public:
    explicit UpdateCommand(CLI::App& app);

    bool chosen() const { return command_->parsed(); }
    int run(const std::filesystem::path& dataDir, Console& console, UpdateServices& services) const;

private:
    int update(const std::filesystem::path& dataDir, Console& console,
               UpdateServices& services) const;
    int revert(const std::filesystem::path& dataDir, Console& console) const;

    CLI::App* command_;
    bool yes_ = false;
    bool revert_ = false;
    std::optional<std::string> national_;
    std::optional<std::string> offices_;
};

} // namespace mervasto::cli

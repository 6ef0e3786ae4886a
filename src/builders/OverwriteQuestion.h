#pragma once

#include "builders/BuildOutcome.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace mervasto {

// Asks `question` when `table` exists and holds data. Returns the outcome that ends the build
// for the answers No and Cancel; nothing when the build goes on (Yes, or nothing to ask).
std::optional<BuildOutcome> confirmOverwrite(const std::filesystem::path& table,
                                             std::u16string_view question, const AskOverwrite& ask);

} // namespace mervasto

#include "builders/OverwriteQuestion.h"

#include <string>
#include <system_error>

namespace mervasto {

namespace {

bool holdsData(const std::filesystem::path& table) {
    std::error_code error;
    const auto size = std::filesystem::file_size(table, error);
    return !error && size > 0;
}

} // namespace

std::optional<BuildOutcome> confirmOverwrite(const std::filesystem::path& table,
                                             std::u16string_view question,
                                             const AskOverwrite& ask) {
    if (!holdsData(table))
        return std::nullopt;
    switch (ask(std::u16string(question))) {
    case OverwriteAnswer::Yes:
        return std::nullopt;
    case OverwriteAnswer::No:
        return BuildOutcome{BuildResult::Declined, "the existing table was kept"};
    case OverwriteAnswer::Cancel:
        break;
    }
    return BuildOutcome{BuildResult::Cancelled, "the existing table was kept"};
}

} // namespace mervasto

#include "app/PlatformArgument.h"

#include <string_view>

namespace mervasto {

namespace {

constexpr std::string_view PlatformOption = "-platform";

// The argument without the second dash of a "--" prefix.
std::string_view singleDashed(std::string_view argument) {
    return argument.starts_with("--") ? argument.substr(1) : argument;
}

} // namespace

std::vector<std::string> withPlatformArgumentSplit(const std::vector<std::string>& arguments) {
    std::vector<std::string> split;
    split.reserve(arguments.size() + 1);
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const std::string_view argument = singleDashed(arguments[at]);
        if (at > 0 && argument.starts_with(PlatformOption) &&
            argument.substr(PlatformOption.size()).starts_with('=')) {
            split.emplace_back(PlatformOption);
            split.emplace_back(argument.substr(PlatformOption.size() + 1));
        } else {
            split.push_back(arguments[at]);
        }
    }
    return split;
}

std::optional<QString> platformArgument(const std::vector<std::string>& arguments) {
    std::optional<QString> platform;
    for (std::size_t at = 1; at + 1 < arguments.size(); ++at) {
        if (singleDashed(arguments[at]) == PlatformOption)
            platform = QString::fromLocal8Bit(arguments[++at]);
    }
    return platform;
}

ArgumentVector::ArgumentVector(std::vector<std::string> arguments)
    : arguments_(std::move(arguments)), count_(static_cast<int>(arguments_.size())) {
    pointers_.reserve(arguments_.size() + 1);
    for (std::string& argument : arguments_)
        pointers_.push_back(argument.data());
    pointers_.push_back(nullptr);
}

} // namespace mervasto

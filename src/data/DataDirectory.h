#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

namespace mervasto {

// A file of this name beside the executable makes the copy portable: its tables live in the
// executable's own directory.
inline constexpr std::string_view PortableMarker = "mervasto.portable";

// The value of an environment variable, or nothing when it is not set.
using EnvironmentLookup =
    std::function<std::optional<std::filesystem::path>(std::string_view name)>;

// The environment of this process.
std::optional<std::filesystem::path> processEnvironment(std::string_view name);

// The directory that holds the tables, the first of:
//  1. `chosen` (--data-dir), unless empty;
//  2. `executableDir` when the copy is portable (PortableMarker beside the executable);
//  3. the user's own data directory: %LOCALAPPDATA%\Mervasto on Windows, elsewhere
//     $XDG_DATA_HOME/mervasto, else $HOME/.local/share/mervasto;
//  4. `executableDir`, when the environment names no such directory.
// The user's directory may not exist yet: the first table build creates it.
std::filesystem::path chooseDataDirectory(const std::filesystem::path& chosen,
                                          const std::filesystem::path& executableDir,
                                          const EnvironmentLookup& environment);

} // namespace mervasto

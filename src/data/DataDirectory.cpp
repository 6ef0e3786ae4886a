#include "data/DataDirectory.h"

#include <cstdlib>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace mervasto {

namespace {

// A variable that is set to an absolute path; relative or empty values are ignored.
std::optional<fs::path> absoluteVariable(const EnvironmentLookup& environment,
                                         std::string_view name) {
    auto value = environment(name);
    if (value && value->is_absolute())
        return value;
    return std::nullopt;
}

std::optional<fs::path> userDataDirectory(const EnvironmentLookup& environment) {
#ifdef _WIN32
    if (const auto local = absoluteVariable(environment, "LOCALAPPDATA"))
        return *local / "Mervasto";
#else
    if (const auto data = absoluteVariable(environment, "XDG_DATA_HOME"))
        return *data / "mervasto";
    if (const auto home = absoluteVariable(environment, "HOME"))
        return *home / ".local" / "share" / "mervasto";
#endif
    return std::nullopt;
}

bool isPortable(const fs::path& executableDir) {
    std::error_code error;
    return fs::exists(executableDir / PortableMarker, error);
}

} // namespace

std::optional<fs::path> processEnvironment(std::string_view name) {
#ifdef _WIN32
    const std::wstring wideName(name.begin(), name.end()); // variable names are ASCII
    const wchar_t* const value = _wgetenv(wideName.c_str());
#else
    const char* const value = std::getenv(std::string(name).c_str());
#endif
    if (!value)
        return std::nullopt;
    return fs::path(value);
}

fs::path chooseDataDirectory(const fs::path& chosen, const fs::path& executableDir,
                             const EnvironmentLookup& environment) {
    if (!chosen.empty())
        return chosen;
    if (isPortable(executableDir))
        return executableDir;
    return userDataDirectory(environment).value_or(executableDir);
}

} // namespace mervasto

#include "cli/CommandLine.h"

#include "data/Utf8.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <memory>
#include <shellapi.h> // needs <windows.h> first
#endif

namespace mervasto::cli {

#ifdef _WIN32

std::vector<std::string> utf8Arguments(int, char**) {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> wide(
        CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
    std::vector<std::string> arguments;
    for (int i = 0; wide && i < count; ++i)
        arguments.push_back(toUtf8(reinterpret_cast<const char16_t*>(wide.get()[i])));
    return arguments;
}

#else

std::vector<std::string> utf8Arguments(int argc, char** argv) {
    return {argv, argv + argc};
}

#endif

std::filesystem::path pathFromUtf8(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8FromPath(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

} // namespace mervasto::cli

#include "data/TablePaths.h"

#include <algorithm>
#include <optional>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace mervasto {

namespace {

#ifdef _WIN32
constexpr fs::path::value_type Separator = L'\\';
bool isSeparator(fs::path::value_type c) {
    return c == L'\\' || c == L'/';
}
#else
constexpr fs::path::value_type Separator = '/';
bool isSeparator(fs::path::value_type c) {
    return c == '/';
}
#endif

// Table names are ASCII, so a plain widening serves on every platform.
fs::path::string_type nativeName(std::string_view name) {
    return fs::path::string_type(name.begin(), name.end());
}

#ifndef _WIN32
char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiLower(x) == asciiLower(y);
           });
}

// The first (in byte order) entry of `dir` whose name equals `name` but for ASCII case.
std::optional<std::string> caseInsensitiveMatch(const fs::path& dir, std::string_view name) {
    std::error_code error;
    std::optional<std::string> best;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        const std::string candidate = it->path().filename().native();
        if (equalsIgnoringAsciiCase(candidate, name) && (!best || candidate < *best))
            best = candidate;
    }
    return best;
}
#else
// The name under which `file` is stored, when it exists. Windows already opens a file whatever
// the case of its name; this reports the stored spelling, as the lookup elsewhere does.
std::optional<std::wstring> storedName(const fs::path& file) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(file.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return std::nullopt;
    FindClose(search);
    return std::wstring(found.cFileName);
}
#endif

} // namespace

fs::path joinTablePath(const fs::path& dir, std::string_view name) {
    fs::path::string_type joined = dir.native();
    if (!joined.empty() && !isSeparator(joined.back()))
        joined.push_back(Separator);
    joined += nativeName(name);
    return fs::path(std::move(joined));
}

fs::path resolveTablePath(const fs::path& dir, std::string_view name) {
    const fs::path exact = joinTablePath(dir, name);
#ifndef _WIN32
    std::error_code error;
    if (!fs::exists(exact, error)) {
        if (const auto match = caseInsensitiveMatch(dir, name))
            return joinTablePath(dir, *match);
    }
#else
    if (const auto stored = storedName(exact))
        return fs::path(exact).replace_filename(*stored);
#endif
    return exact;
}

fs::path executableDirectory() {
#ifdef _WIN32
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return fs::current_path();
        if (length < buffer.size()) {
            buffer.resize(length);
            return fs::path(buffer).parent_path();
        }
        buffer.resize(buffer.size() * 2);
    }
#else
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return fs::current_path(error);
    return executable.parent_path();
#endif
}

} // namespace mervasto

#include "ConsoleOutput.h"

#include <cstdio>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX // keeps std::min usable with MSVC; MinGW's C++ library defines it already
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <fcntl.h>
#include <io.h>
#include <string>
#else
#include <unistd.h>
#endif

namespace mervasto::cli {

namespace {

#ifdef _WIN32

// Writes through the console API when `stream` is a console; false when it is not, after
// switching the stream to binary mode so that a pipe or a file gets the bytes as they are
// (no CR added before each LF), the same bytes as on other systems.
bool writeToConsole(FILE* stream, std::string_view utf8) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) {
        _setmode(_fileno(stream), _O_BINARY);
        return false;
    }
    if (utf8.empty())
        return true;
    const int size = static_cast<int>(utf8.size());
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.data(), units);
    // The console takes a limited amount per call.
    constexpr std::size_t chunk = 8192;
    for (std::size_t at = 0; at < text.size(); at += chunk) {
        const auto count = static_cast<DWORD>(std::min(chunk, text.size() - at));
        DWORD written = 0;
        WriteConsoleW(handle, text.data() + at, count, &written, nullptr);
    }
    return true;
}

// A console, not merely a character device: _isatty() also holds for NUL, and a build run
// with its input from NUL must not wait for an answer.
bool isTerminal(FILE* stream) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

#else

bool writeToConsole(FILE*, std::string_view) {
    return false;
}

bool isTerminal(FILE* stream) {
    return isatty(fileno(stream)) != 0;
}

#endif

void writeText(FILE* stream, std::string_view utf8) {
    std::fflush(stream);
    if (writeToConsole(stream, utf8))
        return;
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
    std::fflush(stream);
}

} // namespace

void writeOut(std::string_view utf8) {
    writeText(stdout, utf8);
}

void writeErr(std::string_view utf8) {
    writeText(stderr, utf8);
}

bool stdinIsTerminal() {
    return isTerminal(stdin);
}

bool stderrIsTerminal() {
    return isTerminal(stderr);
}

} // namespace mervasto::cli

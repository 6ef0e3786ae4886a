#include "cli/StandardConsole.h"

#include "data/DataError.h"
#include "data/Utf8.h"

#include <cstdio>
#include <iostream>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX // keeps std::min usable with MSVC; MinGW's C++ library defines it already
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace mervasto::cli {

namespace {

#ifdef _WIN32

// The console that `stream` writes to; none when it is not a console, after switching the
// stream to binary mode so that a pipe or a file gets the bytes as they are (no CR added
// before each LF), the same bytes as on other systems.
HANDLE consoleOf(FILE* stream) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) {
        _setmode(_fileno(stream), _O_BINARY);
        return nullptr;
    }
    return handle;
}

// Written through the console API, so that Japanese reads correctly whatever the console's
// code page. Whether all of it was written.
bool writeToConsole(HANDLE console, std::string_view utf8) {
    const std::u16string text = fromUtf8(utf8);
    // The console takes a limited amount per call.
    constexpr std::size_t chunk = 8192;
    for (std::size_t at = 0; at < text.size(); at += chunk) {
        const auto count = static_cast<DWORD>(std::min(chunk, text.size() - at));
        DWORD written = 0;
        if (!WriteConsoleW(console, reinterpret_cast<const wchar_t*>(text.data()) + at, count,
                           &written, nullptr) ||
            written != count)
            return false;
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

bool isTerminal(FILE* stream) {
    return isatty(fileno(stream)) != 0;
}

#endif

// Whether every byte reached the stream's file.
bool writeBytes(FILE* stream, std::string_view bytes) {
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
    return std::fflush(stream) == 0 && written;
}

bool writeText(FILE* stream, std::string_view utf8) {
    if (std::fflush(stream) != 0)
        return false;
#ifdef _WIN32
    if (const HANDLE console = consoleOf(stream))
        return writeToConsole(console, utf8);
#endif
    return writeBytes(stream, utf8);
}

#ifdef _WIN32
void useBinaryMode(FILE* stream) {
    _setmode(_fileno(stream), _O_BINARY);
}
#else
void useBinaryMode(FILE*) {}
#endif

} // namespace

void StandardConsole::out(std::string_view utf8) {
    outputFailed_ = !writeText(stdout, utf8) || outputFailed_;
}

void StandardConsole::err(std::string_view utf8) {
    writeText(stderr, utf8); // where it cannot be written, nothing can be told
}

bool StandardConsole::outBytes(std::string_view bytes) {
    const bool flushed = std::fflush(stdout) == 0;
    useBinaryMode(stdout);
    const bool written = writeBytes(stdout, bytes) && flushed;
    outputFailed_ = !written || outputFailed_;
    return written;
}

std::optional<std::string> StandardConsole::readAll() {
    useBinaryMode(stdin);
    std::string bytes;
    char buffer[65536];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, stdin)) > 0)
        bytes.append(buffer, count);
    if (std::ferror(stdin))
        return std::nullopt;
    return bytes;
}

std::optional<std::string> StandardConsole::readLine() {
    std::string line;
    if (!std::getline(std::cin, line)) {
        if (std::cin.bad())
            throw DataError(DataError::Kind::Io, "cannot read the standard input");
        return std::nullopt;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

bool StandardConsole::inputIsTerminal() const {
    return isTerminal(stdin);
}

bool StandardConsole::errorIsTerminal() const {
    return isTerminal(stderr);
}

} // namespace mervasto::cli

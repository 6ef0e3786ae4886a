#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace mervasto::cli {

// The program's arguments as UTF-8 (on Windows taken from the wide command line, so that
// Japanese keys and file names survive whatever the ANSI code page), argv[0] first.
std::vector<std::string> utf8Arguments(int argc, char** argv);

// A path from UTF-8 text, on every platform.
std::filesystem::path pathFromUtf8(const std::string& utf8);
// A path as UTF-8 text, on every platform.
std::string utf8FromPath(const std::filesystem::path& path);

} // namespace mervasto::cli

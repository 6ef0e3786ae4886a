#pragma once

#include <filesystem>
#include <string_view>

namespace mervasto {

// The names under which the tables and the help file are opened.
namespace TableFile {
inline constexpr std::string_view Records = "ZIPCODE.txt";
inline constexpr std::string_view Index = "ZIPID1.txt";
inline constexpr std::string_view Lines = "ZipCode1.txt";
inline constexpr std::string_view Offices = "ZipCode2.txt";     // as the builder writes it
inline constexpr std::string_view OfficesRead = "ZIPCODE2.txt"; // as the search opens it
inline constexpr std::string_view Help = "ZipCode.chm";
inline constexpr std::string_view Sources = "TableSources.txt"; // data/TableSources.h
} // namespace TableFile

// The directory, the separator ("\" on Windows, "/" elsewhere) unless the directory already
// ends in one (a drive root such as C:\), then the name.
std::filesystem::path joinTablePath(const std::filesystem::path& dir, std::string_view name);

// The path of a table file, with the name matched case-insensitively against the files in
// `dir`: an existing "ZIPCODE.TXT" is what "ZIPCODE.txt" opens. When no file matches, the
// name is used as spelled.
std::filesystem::path resolveTablePath(const std::filesystem::path& dir, std::string_view name);

// The directory that holds the running executable (the default table directory).
std::filesystem::path executableDirectory();

} // namespace mervasto

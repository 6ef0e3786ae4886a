#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace mervasto::test {

// A fresh directory under the system's temporary directory, removed with everything in it
// when the object goes out of scope.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // A file in the directory; the name is UTF-8 (as the test sources are) on every platform.
    std::filesystem::path operator/(std::string_view utf8Name) const;

private:
    std::filesystem::path path_;
};

// Raw bytes of a file ("" when it does not exist).
std::string readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, std::string_view bytes);

// Writes UTF-16 text converted to CP932 (e.g. a CSV or a table written by hand in a test).
void writeCp932(const std::filesystem::path& file, std::u16string_view text);

// The files in a directory, by name, sorted.
std::string listDirectory(const std::filesystem::path& dir);

// The regular files of `dir` (file name -> bytes), without what is kept in directories beside
// them, such as the previous set of tables.
using FileContents = std::map<std::string, std::string>;
FileContents filesIn(const std::filesystem::path& dir);
// Their names, one per line, sorted.
std::string listFiles(const std::filesystem::path& dir);

} // namespace mervasto::test

#include "TestFiles.h"

#include "data/Cp932Codec.h"
#include "data/Utf8.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

namespace fs = std::filesystem;

namespace mervasto::test {

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    for (;;) {
        path_ = fs::temp_directory_path() /
                ("mervasto-test-" + std::to_string(random()) + "-" + std::to_string(++counter));
        if (fs::create_directory(path_))
            return;
    }
}

TempDir::~TempDir() {
    std::error_code ignored;
    // A test may have made the directory read-only; give the permissions back first.
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void writeCp932(const fs::path& file, std::u16string_view text) {
    writeBytes(file, encodeCp932(text));
}

fs::path TempDir::operator/(std::string_view utf8Name) const {
    return path_ / std::u8string(utf8Name.begin(), utf8Name.end());
}

FileContents filesIn(const fs::path& dir) {
    FileContents files;
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.is_regular_file())
            files[nameText(entry.path().filename())] = readBytes(entry.path());
    return files;
}

std::string listFiles(const fs::path& dir) {
    std::string joined;
    for (const auto& [name, bytes] : filesIn(dir))
        joined += name + "\n";
    return joined;
}

std::string listDirectory(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::u8string name = entry.path().filename().u8string(); // UTF-8 on Windows too
        names.emplace_back(name.begin(), name.end());
    }
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const auto& name : names)
        joined += name + "\n";
    return joined;
}

} // namespace mervasto::test

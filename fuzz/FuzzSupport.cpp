#include "FuzzSupport.h"

#include "data/TextDecoder.h"

#include <algorithm>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace mervasto::fuzz {

namespace {

fs::path workspaceBase() {
    if (const char* base = std::getenv("MERVASTO_FUZZ_TMP"); base && *base)
        return base;
    std::error_code error;
    if (fs::is_directory("/dev/shm", error))
        return "/dev/shm";
    return fs::temp_directory_path();
}

class Workspace {
public:
    Workspace() {
        std::string pattern =
            (workspaceBase() / ("mervasto-fuzz-" + std::to_string(getpid()) + "-XXXXXX")).string();
        if (!mkdtemp(pattern.data()))
            fail("cannot create the fuzz workspace");
        path_ = pattern;
    }
    ~Workspace() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

} // namespace

const fs::path& workspace() {
    static const Workspace instance;
    return instance.path();
}

fs::path freshDirectory(std::string_view name) {
    const fs::path dir = workspace() / name;
    std::error_code error;
    fs::remove_all(dir, error);
    fs::create_directories(dir, error);
    if (error)
        fail("cannot create a directory in the fuzz workspace");
    return dir;
}

std::string_view asBytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

std::vector<std::string_view> splitSections(std::string_view bytes, std::size_t maxSections) {
    std::vector<std::string_view> sections;
    while (sections.size() + 1 < maxSections) {
        const std::size_t at = bytes.find(SectionSeparator);
        if (at == std::string_view::npos)
            break;
        sections.push_back(bytes.substr(0, at));
        bytes.remove_prefix(at + SectionSeparator.size());
    }
    sections.push_back(bytes);
    return sections;
}

std::u16string utf16FromBytes(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t pos = 0; pos + 1 < bytes.size(); pos += 2)
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[pos]) |
                                             static_cast<unsigned char>(bytes[pos + 1]) << 8));
    return text;
}

std::u16string decodeInChunks(TextDecoder& decoder, std::string_view bytes) {
    std::u16string text;
    for (std::size_t pos = 0, step = 0; pos < bytes.size(); ++step) {
        const std::size_t length = std::min<std::size_t>(
            1 + static_cast<unsigned char>(bytes[step % bytes.size()]) % 5, bytes.size() - pos);
        decoder.decode(bytes.substr(pos, length), false, text);
        pos += length;
    }
    decoder.decode({}, true, text);
    return text;
}

void writeFile(const fs::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        fail("cannot write a file in the fuzz workspace");
}

DirectorySnapshot snapshot(const fs::path& dir) {
    DirectorySnapshot files;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (!entry.is_regular_file())
            continue; // the previous set of tables, kept in a directory of its own
        std::ifstream in(entry.path(), std::ios::binary);
        files[entry.path().filename().string()] = {std::istreambuf_iterator<char>(in),
                                                   std::istreambuf_iterator<char>()};
    }
    return files;
}

void fail(const char* what) {
    std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
    std::abort();
}

} // namespace mervasto::fuzz

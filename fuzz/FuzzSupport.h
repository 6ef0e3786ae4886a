#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace mervasto {
class TextDecoder;
}

namespace mervasto::fuzz {

// A directory of this process for the files a fuzz target writes: under $MERVASTO_FUZZ_TMP
// when set, else /dev/shm (memory, no disk wear) or the system's temporary directory. It is
// removed with everything in it when the process exits normally.
const std::filesystem::path& workspace();

// An empty directory `name` inside the workspace (emptied when it exists).
std::filesystem::path freshDirectory(std::string_view name);

// The fuzz input as one byte string.
std::string_view asBytes(const std::uint8_t* data, std::size_t size);

// Splits the input at every SectionSeparator, into at most `maxSections` sections (the last
// one keeps any further separators). An input without a separator is one section.
inline constexpr std::string_view SectionSeparator = "\xFF\xFF";
std::vector<std::string_view> splitSections(std::string_view bytes, std::size_t maxSections);

// Any UTF-16 text: the bytes taken as little-endian code units (an odd last byte is dropped),
// so unpaired surrogates and non-BMP pairs both occur.
std::u16string utf16FromBytes(std::string_view bytes);

// Decodes `bytes` with `decoder` in chunks of 1 to 5 bytes, each chunk's size taken from the
// input itself, then ends the text.
std::u16string decodeInChunks(TextDecoder& decoder, std::string_view bytes);

void writeFile(const std::filesystem::path& file, std::string_view bytes);

// Every file of `dir` (not descending) with its bytes, by name.
using DirectorySnapshot = std::map<std::string, std::string>;
DirectorySnapshot snapshot(const std::filesystem::path& dir);

// Aborts with a message: a broken invariant is a finding, like a crash.
[[noreturn]] void fail(const char* what);
inline void require(bool condition, const char* what) {
    if (!condition)
        fail(what);
}

} // namespace mervasto::fuzz

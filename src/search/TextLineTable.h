#pragma once

#include "data/Filest.h"
#include "search/Search.h"

#include <cstdint>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mervasto {

// ZipCode1.txt read once for many text passes, with two lookups that find the lines a key can
// match without testing every line: the lines that hold a given pair of characters (a line
// that contains the key holds each of the key's pairs), and the lines that begin with a given
// postal code (a line contained in the key begins with 8 characters found in the key).
// The file is read on first use; an error met while reading is kept and raised by every pass
// at the point where the file pass would have raised it.
class TextLineTable {
public:
    explicit TextLineTable(std::filesystem::path file) : file_(std::move(file)) {}

    // Raises the error of opening the file, if it could not be opened.
    void requireOpened();

    // Calls `visit` with every line that may match `key` (one that the key occurs in, or that
    // occurs in the key), in file order, each once; then raises the reading error, if any.
    void forEachCandidate(std::u16string_view key,
                          const std::function<void(const std::u16string&)>& visit);

private:
    using LineNumbers = std::vector<std::uint32_t>;

    void load();
    void indexLine(std::uint32_t number);
    const LineNumbers* rarestPairList(std::u16string_view key) const;
    LineNumbers candidates(std::u16string_view key) const;

    std::filesystem::path file_;
    bool loaded_ = false;
    std::exception_ptr openError_;
    std::exception_ptr readError_;
    std::vector<std::u16string> lines_;
    std::unordered_map<std::uint32_t, LineNumbers> linesByPair_;
    std::unordered_map<std::u16string_view, LineNumbers> linesByCode_;
    LineNumbers shortLines_; // lines shorter than a postal code: tested against every key
};

} // namespace mervasto

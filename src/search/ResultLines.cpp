#include "search/ResultLines.h"

#include <algorithm>

namespace mervasto {

namespace {

// Code units of the first block; each next one holds twice as many, up to the last size.
constexpr std::size_t FirstBlockSize = 4 * 1024;
constexpr std::size_t LastBlockSize = 1024 * 1024;

} // namespace

ResultLines::ResultLines(std::initializer_list<std::u16string_view> lines) {
    for (const std::u16string_view line : lines)
        push_back(line);
}

ResultLines::ResultLines(const ResultLines& other) {
    *this = other;
}

ResultLines& ResultLines::operator=(const ResultLines& other) {
    if (this == &other)
        return *this;
    clear();
    for (const std::u16string_view line : other)
        push_back(line);
    return *this;
}

void ResultLines::push_back(std::u16string_view line) {
    // A block is never grown past its reserved room, so the views into it stay valid.
    if (blocks_.empty() || blocks_.back().capacity() - blocks_.back().size() < line.size()) {
        const std::size_t size = blocks_.empty()
                                     ? FirstBlockSize
                                     : std::min(2 * blocks_.back().capacity(), LastBlockSize);
        blocks_.emplace_back();
        blocks_.back().reserve(std::max(size, line.size()));
    }
    Block& block = blocks_.back();
    const std::size_t start = block.size();
    block.insert(block.end(), line.begin(), line.end());
    lines_.emplace_back(block.data() + start, line.size());
}

void ResultLines::clear() {
    blocks_.clear();
    lines_.clear();
}

} // namespace mervasto

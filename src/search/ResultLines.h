#pragma once

#include "data/LargePages.h"

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace mervasto {

// The lines a search lists (List2), in the order found. A text pass can list every line of a
// table, a hundred thousand and more: the lines are kept one after another in blocks that
// double in size up to 2 MiB (huge pages where the system has them), rather than in an
// allocation each.
class ResultLines {
public:
    using Views = std::vector<std::u16string_view, LargePageAllocator<std::u16string_view>>;
    using const_iterator = Views::const_iterator;

    ResultLines() = default;
    ResultLines(std::initializer_list<std::u16string_view> lines);
    ResultLines(const ResultLines& other);
    ResultLines& operator=(const ResultLines& other);
    ResultLines(ResultLines&&) noexcept = default;
    ResultLines& operator=(ResultLines&&) noexcept = default;
    ~ResultLines() = default;

    void push_back(std::u16string_view line);
    void clear();

    std::size_t size() const { return lines_.size(); }
    bool empty() const { return lines_.empty(); }
    std::u16string_view operator[](std::size_t index) const { return lines_[index]; }
    std::u16string_view back() const { return lines_.back(); }
    const_iterator begin() const { return lines_.begin(); }
    const_iterator end() const { return lines_.end(); }

    friend bool operator==(const ResultLines& a, const ResultLines& b) {
        return a.lines_ == b.lines_;
    }

private:
    using Block = std::vector<char16_t, LargePageAllocator<char16_t>>;
    std::vector<Block> blocks_; // never grown past what they reserved
    Views lines_;               // into the blocks
};

} // namespace mervasto

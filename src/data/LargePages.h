#pragma once

#include <cstddef>
#include <new>
#include <string_view>
#include <vector>

namespace mervasto {

// Memory of several megabytes that is filled as soon as it is taken costs one page fault per
// 4 KiB page on its first touch: a good part of a short process. Where the system offers it,
// such memory is asked for in huge pages instead (Linux: transparent huge pages on request);
// elsewhere nothing changes.
inline constexpr std::size_t HugePageSize = std::size_t{2} << 20;

// Asks for the whole huge pages inside [memory, memory + size) before they are touched.
void preferLargePages(void* memory, std::size_t size);

// An allocator for large arrays that are filled at once (the index table's columns, an unpacked
// CSV, the blocks of a long result list): a block of a megabyte or more is aligned to a huge page,
// rounded up to whole huge pages and asked for in huge pages; smaller ones are plain allocations.
template <typename T> struct LargePageAllocator {
    using value_type = T;

    LargePageAllocator() = default;
    template <typename U> LargePageAllocator(const LargePageAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) {
        const std::size_t bytes = count * sizeof(T);
        if (bytes < LargeBlock)
            return static_cast<T*>(::operator new(bytes));
        void* memory = ::operator new (wholePages(bytes), std::align_val_t{HugePageSize});
        preferLargePages(memory, wholePages(bytes));
        return static_cast<T*>(memory);
    }

    void deallocate(T* memory, std::size_t count) noexcept {
        if (count * sizeof(T) < LargeBlock)
            ::operator delete(memory);
        else
            ::operator delete (memory, std::align_val_t{HugePageSize});
    }

    template <typename U> bool operator==(const LargePageAllocator<U>&) const noexcept {
        return true;
    }

private:
    static constexpr std::size_t LargeBlock = std::size_t{1} << 20;

    static std::size_t wholePages(std::size_t bytes) {
        return (bytes + HugePageSize - 1) / HugePageSize * HugePageSize;
    }
};

// Bytes held in memory that are written at once and then read many times: an unpacked CSV.
using LargeBytes = std::vector<char, LargePageAllocator<char>>;

inline std::string_view viewOf(const LargeBytes& bytes) {
    return {bytes.data(), bytes.size()};
}

} // namespace mervasto

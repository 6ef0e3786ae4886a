#pragma once

#include "data/LargePages.h"

#include <cstddef>
#include <istream>
#include <memory>
#include <string>
#include <string_view>

namespace mervasto {

// Where a reader takes the bytes of a text from, a chunk at a time.
class ByteSource {
public:
    virtual ~ByteSource() = default;

    // The next bytes, at most `size` of them, fewer only at the end; valid until the next call.
    // Throws DataError(Io) on a read error.
    virtual std::string_view read(std::size_t size) = 0;
};

// The bytes of a stream (a file), read through a buffer of its own.
class StreamBytes : public ByteSource {
public:
    explicit StreamBytes(std::unique_ptr<std::istream> stream) : stream_(std::move(stream)) {}
    std::string_view read(std::size_t size) override;

private:
    std::unique_ptr<std::istream> stream_;
    std::string chunk_;
};

// A text held in memory, from `start` on, read where it lies.
class SharedTextBytes : public ByteSource {
public:
    SharedTextBytes(std::shared_ptr<const LargeBytes> text, std::size_t start)
        : text_(std::move(text)), pos_(start) {}
    std::string_view read(std::size_t size) override;

private:
    std::shared_ptr<const LargeBytes> text_;
    std::size_t pos_;
};

} // namespace mervasto

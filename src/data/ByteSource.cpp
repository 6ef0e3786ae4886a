#include "data/ByteSource.h"

#include "data/DataError.h"

#include <algorithm>

namespace mervasto {

std::string_view StreamBytes::read(std::size_t size) {
    chunk_.resize(size);
    stream_->read(chunk_.data(), static_cast<std::streamsize>(size));
    if (stream_->bad())
        throw DataError(DataError::Kind::Io, "read error");
    return std::string_view(chunk_.data(), static_cast<std::size_t>(stream_->gcount()));
}

std::string_view SharedTextBytes::read(std::size_t size) {
    const std::size_t start = std::min(pos_, text_->size());
    const std::size_t length = std::min(size, text_->size() - start);
    pos_ = start + length;
    return viewOf(*text_).substr(start, length);
}

} // namespace mervasto

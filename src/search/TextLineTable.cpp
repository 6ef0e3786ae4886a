#include "search/TextLineTable.h"

#include "data/ItemReader.h"

#include <algorithm>
#include <numeric>

namespace mervasto {

namespace {

constexpr std::size_t CodeLength = 8; // "100-0005"

std::uint32_t pairAt(std::u16string_view text, std::size_t at) {
    return (std::uint32_t{text[at]} << 16) | text[at + 1];
}

} // namespace

void TextLineTable::requireOpened() {
    load();
    if (openError_)
        std::rethrow_exception(openError_);
}

void TextLineTable::forEachCandidate(std::u16string_view key,
                                     const std::function<void(const std::u16string&)>& visit) {
    load();
    for (const std::uint32_t number : candidates(key))
        visit(lines_[number]);
    if (readError_)
        std::rethrow_exception(readError_);
}

void TextLineTable::load() {
    if (loaded_)
        return;
    loaded_ = true;
    std::optional<ItemReader> reader;
    try {
        reader.emplace(file_);
    } catch (...) {
        openError_ = std::current_exception();
        return;
    }
    try {
        while (!reader->atEnd())
            lines_.push_back(reader->readLine());
    } catch (...) {
        readError_ = std::current_exception();
    }
    linesByCode_.reserve(lines_.size());
    linesByPair_.reserve(lines_.size());
    for (std::uint32_t number = 0; number < lines_.size(); ++number)
        indexLine(number);
}

void TextLineTable::indexLine(std::uint32_t number) {
    const std::u16string_view line = lines_[number];
    if (line.size() < CodeLength)
        shortLines_.push_back(number);
    else
        linesByCode_[line.substr(0, CodeLength)].push_back(number);
    for (std::size_t at = 0; at + 1 < line.size(); ++at) {
        LineNumbers& withPair = linesByPair_[pairAt(line, at)];
        if (withPair.empty() || withPair.back() != number)
            withPair.push_back(number);
    }
}

// The shortest list of lines holding one of the key's pairs; nothing for a key of one
// character, which has no pair.
const TextLineTable::LineNumbers* TextLineTable::rarestPairList(std::u16string_view key) const {
    static const LineNumbers none;
    const LineNumbers* rarest = nullptr;
    for (std::size_t at = 0; at + 1 < key.size(); ++at) {
        const auto found = linesByPair_.find(pairAt(key, at));
        const LineNumbers& list = found == linesByPair_.end() ? none : found->second;
        if (!rarest || list.size() < rarest->size())
            rarest = &list;
    }
    return rarest;
}

TextLineTable::LineNumbers TextLineTable::candidates(std::u16string_view key) const {
    LineNumbers numbers;
    if (const LineNumbers* withKey = rarestPairList(key)) {
        numbers = *withKey;
    } else {
        numbers.resize(lines_.size());
        std::iota(numbers.begin(), numbers.end(), 0u);
        return numbers;
    }
    numbers.insert(numbers.end(), shortLines_.begin(), shortLines_.end());
    for (std::size_t at = 0; at + CodeLength <= key.size(); ++at) {
        const auto found = linesByCode_.find(key.substr(at, CodeLength));
        if (found != linesByCode_.end())
            numbers.insert(numbers.end(), found->second.begin(), found->second.end());
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

} // namespace mervasto

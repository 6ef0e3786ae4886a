#pragma once

#include "data/Filest.h"
#include "search/SearchOutcome.h"
#include "search/TextLineTable.h"

#include <filesystem>
#include <string_view>

namespace mervasto {

// Searches many addresses on one set of national tables: each search answers exactly as
// runSearch would in address mode, but ZipCode1.txt is read and decoded at most once, when
// the first text pass needs it.
class BatchSearch {
public:
    // `index` is used, not copied: it must outlive this object.
    BatchSearch(const std::filesystem::path& dataDir, const IndexTable& index);

    SearchOutcome search(std::u16string_view key);

private:
    std::filesystem::path dataDir_;
    const IndexTable& index_;
    TextLineTable lines_;
};

} // namespace mervasto

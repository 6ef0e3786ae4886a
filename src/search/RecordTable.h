#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace mervasto {

// A record of ZIPCODE.TXT as the address search uses it.
struct TableRecord {
    std::u16string code;    // NNN-NNNN
    std::u16string address; // the 60-character field as read, padding included
    std::size_t comparedLength = 0;

    // The address as compared (see comparedAddress), a beginning of `address`.
    std::u16string_view compared() const {
        return std::u16string_view(address).substr(0, comparedLength);
    }
};

// ZIPCODE.TXT read and decoded once for many searches. The file is read on first use; an error
// met while opening or reading it is kept and raised by requireOpened, where a search opens it.
class RecordTable {
public:
    explicit RecordTable(std::filesystem::path file) : file_(std::move(file)) {}

    void requireOpened();

    std::int32_t recordCount() const { return static_cast<std::int32_t>(records_.size()); }
    // Record `recordNo`, counting from 1; requireOpened() must have been called.
    const TableRecord& record(std::int32_t recordNo) const { return records_[recordNo - 1]; }

private:
    std::filesystem::path file_;
    bool loaded_ = false;
    std::exception_ptr error_;
    std::vector<TableRecord> records_;
};

} // namespace mervasto

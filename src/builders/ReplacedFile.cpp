#include "builders/ReplacedFile.h"

#include "builders/TableReplacement.h"
#include "data/DataError.h"

#include <fstream>
#include <system_error>

namespace mervasto {

void writeReplacing(const std::filesystem::path& target, std::string_view bytes) {
    TableReplacement replacement(target.parent_path());
    const std::filesystem::path fresh = replacement.add(target);
    {
        std::ofstream out(fresh, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out)
            throw DataError(DataError::Kind::Io, "cannot write the new file beside the old one");
    }
    replacement.commit();
}

void writeOutputFile(const std::filesystem::path& target, std::string_view bytes) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(target, error);
    if (!std::filesystem::exists(status) || std::filesystem::is_regular_file(status)) {
        writeReplacing(target, bytes);
        return;
    }
    std::ofstream out(target, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw DataError(DataError::Kind::Io, "cannot write every byte");
}

} // namespace mervasto

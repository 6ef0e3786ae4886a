#include "builders/ReplacedFile.h"

#include "builders/TableReplacement.h"
#include "data/DataError.h"

#include <fstream>

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

} // namespace mervasto

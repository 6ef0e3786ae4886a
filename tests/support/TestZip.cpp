#include "TestZip.h"

#include "TestFiles.h"

#include <zip.h>

#include <stdexcept>

namespace mervasto::test {

void writeZip(const std::filesystem::path& zip, const std::vector<ZipMember>& members,
              ZipMethod method) {
    // zip.c opens by a narrow name: the test directories have ASCII names.
    zipFile archive = zipOpen64(zip.string().c_str(), APPEND_STATUS_CREATE);
    if (!archive)
        throw std::runtime_error("cannot create " + zip.string());
    const bool deflated = method == ZipMethod::Deflated;
    for (const auto& [name, content] : members) {
        zip_fileinfo info{};
        zipOpenNewFileInZip64(archive, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                              deflated ? Z_DEFLATED : 0, deflated ? Z_DEFAULT_COMPRESSION : 0, 0);
        zipWriteInFileInZip(archive, content.data(), static_cast<unsigned>(content.size()));
        zipCloseFileInZip(archive);
    }
    zipClose(archive, nullptr);
}

void patchDeclaredSize(const std::filesystem::path& zip, std::uint32_t size) {
    std::string bytes = readBytes(zip);
    const auto put = [&bytes, size](std::size_t offset) {
        for (int byte = 0; byte < 4; ++byte)
            bytes[offset + static_cast<std::size_t>(byte)] = static_cast<char>(size >> (8 * byte));
    };
    put(22); // the local header of the first entry, at the start of the archive
    put(bytes.find("PK\x01\x02") + 24);
    writeBytes(zip, bytes);
}

} // namespace mervasto::test

#include "TestZip.h"

#include "TestFiles.h"
#include "data/CarriedData.h"
#include "data/Cp932Codec.h"

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
    for (const auto& [name, content, date] : members) {
        zip_fileinfo info{};
        info.tmz_date = {static_cast<uInt>(date.second),    static_cast<uInt>(date.minute),
                         static_cast<uInt>(date.hour),      static_cast<uInt>(date.day),
                         static_cast<uInt>(date.month - 1), static_cast<uInt>(date.year)};
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

void writeCarriedData(const std::filesystem::path& dir, const LocalDateTime& date) {
    const std::string national = encodeCp932(
        u"13101,\"100  \",\"1000005\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ﾏﾙﾉｳﾁ\",\"東京都\",\"千代田区\","
        u"\"丸の内\",0,0,1,0,0,0\r\n");
    const std::string offices = encodeCp932(
        u"13101,\"ﾄｳｷﾖｳﾁﾕｳｵｳﾕｳﾋﾞﾝｷﾖｸ\",\"東京中央郵便局\",\"東京都\",\"千代田区\",\"丸の内\","
        u"\"２丁目７－２\",\"1008994\",\"100  \",\"銀座\",0,0,0\r\n");
    std::filesystem::create_directories(dir);
    writeZip(dir / CarriedNationalFile, {{"KEN_ALL.CSV", national, date}});
    writeZip(dir / CarriedOfficesFile, {{"JIGYOSYO.CSV", offices, date}});
}

} // namespace mervasto::test

#include "data/ZipArchive.h"

#include "data/DataError.h"

#include <unzip.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace mervasto {

namespace {

// minizip reads through these callbacks from a std::istream, so that the file is opened by
// the program (which takes any path, Japanese names on Windows included). The "file name"
// minizip hands to open is the stream itself; the caller owns it.
std::istream& streamOf(voidpf stream) {
    return *static_cast<std::istream*>(stream);
}

voidpf ZCALLBACK openStream(voidpf, const void* stream, int mode) {
    return (mode & ZLIB_FILEFUNC_MODE_READ) ? const_cast<void*>(stream) : nullptr;
}

uLong ZCALLBACK readStream(voidpf, voidpf stream, void* buffer, uLong size) {
    streamOf(stream).read(static_cast<char*>(buffer), static_cast<std::streamsize>(size));
    return static_cast<uLong>(streamOf(stream).gcount());
}

uLong ZCALLBACK writeNothing(voidpf, voidpf, const void*, uLong) {
    return 0;
}

ZPOS64_T ZCALLBACK tellStream(voidpf, voidpf stream) {
    auto& in = streamOf(stream);
    in.clear(); // a read that hit the end makes tellg fail
    const auto position = in.tellg();
    return position < 0 ? static_cast<ZPOS64_T>(-1) : static_cast<ZPOS64_T>(position);
}

long ZCALLBACK seekStream(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    auto& in = streamOf(stream);
    in.clear();
    const auto direction = origin == ZLIB_FILEFUNC_SEEK_SET   ? std::ios::beg
                           : origin == ZLIB_FILEFUNC_SEEK_CUR ? std::ios::cur
                                                              : std::ios::end;
    in.seekg(static_cast<std::streamoff>(offset), direction);
    return in ? 0 : -1;
}

int ZCALLBACK closeNothing(voidpf, voidpf) {
    return 0;
}

int ZCALLBACK streamError(voidpf, voidpf stream) {
    return streamOf(stream).bad() ? 1 : 0;
}

struct ZipCloser {
    void operator()(unzFile zip) const { unzClose(zip); }
};
using ZipHandle = std::unique_ptr<void, ZipCloser>;

[[noreturn]] void refuse(const std::string& why) {
    throw DataError(DataError::Kind::WrongInput, why);
}

ZipHandle openArchive(std::istream& archive) {
    zlib_filefunc64_def functions{openStream, readStream,   writeNothing, tellStream,
                                  seekStream, closeNothing, streamError,  nullptr};
    ZipHandle zip(unzOpen2_64(&archive, &functions));
    if (!zip)
        refuse("not a readable zip archive");
    return zip;
}

bool isCsvName(std::string_view name) {
    constexpr std::string_view suffix = ".csv";
    if (name.size() < suffix.size())
        return false;
    return std::equal(suffix.begin(), suffix.end(), name.end() - suffix.size(),
                      [](char a, char b) { return a == (b | 0x20); });
}

// The name of the current entry, `size` bytes as its header gives them. The buffer holds the
// whole name, however long: minizip writes no terminating zero when the name fills it.
std::string currentEntryName(unzFile zip, uLong size) {
    std::string name(size, '\0');
    if (unzGetCurrentFileInfo64(zip, nullptr, name.data(), size, nullptr, 0, nullptr, 0) != UNZ_OK)
        refuse("damaged zip archive");
    return name;
}

// The size of the one CSV entry, which becomes the current entry. The whole listing is read:
// one broken part way could hide a second CSV entry.
std::uint64_t selectCsvEntry(unzFile zip) {
    std::vector<unz64_file_pos> found;
    std::uint64_t size = 0;
    int status = unzGoToFirstFile(zip);
    for (; status == UNZ_OK; status = unzGoToNextFile(zip)) {
        unz_file_info64 info{};
        if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
            refuse("damaged zip archive");
        if (!isCsvName(currentEntryName(zip, info.size_filename)))
            continue;
        unz64_file_pos position{};
        if (unzGetFilePos64(zip, &position) != UNZ_OK)
            refuse("damaged zip archive");
        found.push_back(position);
        size = info.uncompressed_size;
    }
    if (status != UNZ_END_OF_LIST_OF_FILE)
        refuse("damaged zip archive");
    if (found.empty())
        refuse("the zip archive holds no CSV file");
    if (found.size() > 1)
        refuse("the zip archive holds " + std::to_string(found.size()) + " CSV files, not one");
    if (unzGoToFilePos64(zip, &found.front()) != UNZ_OK)
        refuse("damaged zip archive");
    return size;
}

LargeBytes inflateCurrentEntry(unzFile zip, std::uint64_t declaredSize) {
    if (unzOpenCurrentFile(zip) != UNZ_OK)
        refuse("the CSV file in the zip archive cannot be read");
    // Inflated straight into place, tens of megabytes of fresh memory filled at once. The byte
    // beyond the declared size is room to notice a stream longer than its header says:
    // damaged, and never read past the limit. The room is reserved at once but made ready a
    // few megabytes at a time, so that a header that lies about the size costs no more memory
    // than the data that is really there.
    const std::size_t room = static_cast<std::size_t>(declaredSize) + 1;
    constexpr std::size_t Step = std::size_t{4} << 20;
    LargeBytes content;
    content.reserve(room);
    std::size_t filled = 0;
    int got = 0;
    while (filled < room) {
        content.resize(std::min(filled + Step, room));
        got = unzReadCurrentFile(zip, content.data() + filled,
                                 static_cast<unsigned>(content.size() - filled));
        if (got <= 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    const int closed = unzCloseCurrentFile(zip);
    // A damaged stream can end early with no error from minizip: the length tells.
    if (got < 0 || closed != UNZ_OK || filled != declaredSize)
        refuse("the CSV file in the zip archive is damaged");
    content.resize(filled);
    return content;
}

} // namespace

bool startsLikeZip(std::string_view head) {
    return head.starts_with("PK\x03\x04") || head.starts_with("PK\x05\x06");
}

LargeBytes readCsvEntry(std::istream& archive, std::uint64_t sizeLimit) {
    const ZipHandle zip = openArchive(archive);
    const std::uint64_t size = selectCsvEntry(zip.get());
    if (size > sizeLimit)
        refuse("the CSV file in the zip archive is larger than " +
               std::to_string(sizeLimit / 1'000'000) + " MB");
    return inflateCurrentEntry(zip.get(), size);
}

LocalDateTime csvEntryDate(std::istream& archive) {
    const ZipHandle zip = openArchive(archive);
    selectCsvEntry(zip.get());
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(zip.get(), &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
        refuse("damaged zip archive");
    const tm_unz& date = info.tmu_date;
    return {static_cast<int>(date.tm_year), static_cast<int>(date.tm_mon) + 1,
            static_cast<int>(date.tm_mday), static_cast<int>(date.tm_hour),
            static_cast<int>(date.tm_min),  static_cast<int>(date.tm_sec)};
}

} // namespace mervasto

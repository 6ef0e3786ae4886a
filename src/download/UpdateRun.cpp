#include "download/UpdateRun.h"

#include <QTemporaryDir>

#include <fstream>

namespace fs = std::filesystem;

namespace mervasto {

namespace {

constexpr std::string_view ZipSignature = "PK\x03\x04";

bool isZipArchive(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string start(ZipSignature.size(), '\0');
    in.read(start.data(), static_cast<std::streamsize>(start.size()));
    return in && start == ZipSignature;
}

UpdateRunOutcome failed(UpdateResult result, std::string detail,
                        DownloadFailure download = DownloadFailure::None) {
    return {{result, std::move(detail), {}}, download};
}

// Downloads one file; nothing when it arrived and is a zip archive, else why not.
std::optional<UpdateRunOutcome> download(Downloader& downloader, const QUrl& url,
                                         const fs::path& file, UpdateProgress& progress) {
    const auto result = downloader.fetch(
        url, file, [&](qint64 received, qint64 total) { progress.received(received, total); });
    if (!result.ok()) // the detail names the address
        return failed(result.failure == DownloadFailure::HtmlPage ? UpdateResult::Refused
                                                                  : UpdateResult::Failed,
                      result.detail, result.failure);
    if (!isZipArchive(file))
        return failed(UpdateResult::Refused,
                      url.toDisplayString().toStdString() +
                          ": not a zip archive; the download address may have moved");
    return std::nullopt;
}

} // namespace

UpdateRunOutcome runUpdate(Downloader& downloader, const DownloadAddresses& addresses,
                           const fs::path& dataDir, const ConfirmShrink& confirmShrink,
                           UpdateProgress& progress) {
    const QTemporaryDir downloads;
    if (!downloads.isValid())
        return {{UpdateResult::Failed, "cannot create a temporary directory for the downloads", {}},
                DownloadFailure::Write};
    const fs::path folder = fs::path(downloads.path().toStdU16String());
    const UpdateFiles files{folder / "ken_all.zip", folder / "jigyosyo.zip"};

    progress.stage(UpdateStage::DownloadingNational);
    if (auto failure = download(downloader, addresses.national, files.national, progress))
        return *failure;
    progress.stage(UpdateStage::DownloadingOffices);
    if (auto failure = download(downloader, addresses.offices, files.offices, progress))
        return *failure;
    progress.stage(UpdateStage::Building);
    return {updateTables(files, dataDir, confirmShrink, progress), DownloadFailure::None};
}

} // namespace mervasto

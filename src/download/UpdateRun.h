#pragma once

#include "builders/TableUpdate.h"
#include "download/DownloadAddresses.h"
#include "download/FileDownload.h"

#include <filesystem>
#include <string>

namespace mervasto {

enum class UpdateStage { DownloadingNational, DownloadingOffices, Building };

// What an update shows while it runs: its stage, the bytes of the file being downloaded, then
// the builds' own progress.
class UpdateProgress : public BuildProgress {
public:
    virtual void stage(UpdateStage stage) = 0;
    virtual void received(qint64 bytes, qint64 total) = 0;
};

struct UpdateRunOutcome {
    UpdateOutcome update;                             // result, detail and report
    DownloadFailure download = DownloadFailure::None; // why a download failed, if one did
    bool cancelled() const { return download == DownloadFailure::Cancelled; }
};

// The whole update: downloads the national file and the office file from `addresses` into a
// temporary directory, checks that each is a zip archive, then builds and replaces the tables
// of `dataDir` (builders/TableUpdate.h). A failed or cancelled download replaces nothing.
UpdateRunOutcome runUpdate(Downloader& downloader, const DownloadAddresses& addresses,
                           const std::filesystem::path& dataDir, const ConfirmShrink& confirmShrink,
                           UpdateProgress& progress);

} // namespace mervasto

#include "cli/NetworkServices.h"

#include "download/NetworkSetup.h"

#include <QCoreApplication>

#include <optional>

namespace mervasto::cli {

int runWithNetwork(const UpdateCommand& update, const std::filesystem::path& dataDir,
                   Console& console) {
    int argc = 1;
    char name[] = "mervasto-cli";
    char* argv[] = {name, nullptr};
    std::optional<QCoreApplication> application;
    if (!QCoreApplication::instance())
        application.emplace(argc, argv);
    useSystemProxy();
    NetworkDownloader downloader;
    const QtAddressSettings settings;
    UpdateServices services{downloader, settings};
    return update.run(dataDir, console, services);
}

} // namespace mervasto::cli

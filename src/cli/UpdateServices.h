#pragma once

#include "download/AddressSettings.h"
#include "download/FileDownload.h"

namespace mervasto::cli {

// What `update` reaches the network and the settings through: the real ones in mervasto-cli,
// fakes in the tests.
struct UpdateServices {
    Downloader& downloader;
    const AddressSettings& settings;
};

} // namespace mervasto::cli

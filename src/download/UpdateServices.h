#pragma once

#include "download/AddressSettings.h"
#include "download/FileDownload.h"

namespace mervasto {

// What an update reaches the network and the settings through: the real ones in the programs,
// fakes in the tests.
struct UpdateServices {
    Downloader& downloader;
    const AddressSettings& settings;
};

} // namespace mervasto

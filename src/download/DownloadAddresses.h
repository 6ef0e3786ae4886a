#pragma once

#include "download/AddressSettings.h"

#include <QString>
#include <QUrl>

#include <optional>
#include <string>
#include <variant>

namespace mervasto {

// Where the postal operator's two files are downloaded from.
struct DownloadAddresses {
    QUrl national;
    QUrl offices;
};

// The operator's official addresses of the CP932 edition, the edition the installation carries.
DownloadAddresses defaultDownloadAddresses();

// An address given on the command line or in the settings that is not an http or https URL.
struct InvalidAddress {
    std::string message; // English, one line, naming the value and where it came from
};

using AddressChoice = std::variant<DownloadAddresses, InvalidAddress>;

// Each file's address: the option when given, else the setting when present and not blank,
// else the official one. Values are taken without surrounding white space.
AddressChoice chooseDownloadAddresses(const AddressSettings& settings,
                                      const std::optional<QString>& nationalOption,
                                      const std::optional<QString>& officesOption);

} // namespace mervasto

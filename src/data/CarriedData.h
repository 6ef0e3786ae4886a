#pragma once

#include <filesystem>
#include <string_view>

namespace mervasto {

// The postal data an installation carries, in the operator's own zip archives.
inline constexpr std::string_view CarriedNationalFile = "ken_all.zip";
inline constexpr std::string_view CarriedOfficesFile = "jigyosyo.zip";

// Where the carried archives are; a path is empty when the installation lacks that archive.
struct CarriedData {
    std::filesystem::path national;
    std::filesystem::path offices;

    bool empty() const { return national.empty() && offices.empty(); }
};

// The archives of the first of these directories that holds either: the program's own
// directory (a Windows installation, the portable zip, and the build tree, where each program
// has them beside it), then the installed data directory (<prefix>/share/mervasto for a
// program in <prefix>/bin).
CarriedData findCarriedData(const std::filesystem::path& executableDir);

} // namespace mervasto

#include "data/CarriedData.h"

#include "data/HelpFile.h"

#include <array>
#include <system_error>

namespace fs = std::filesystem;

namespace mervasto {

namespace {

fs::path existing(const fs::path& file) {
    std::error_code error;
    return fs::is_regular_file(file, error) ? file : fs::path();
}

} // namespace

CarriedData findCarriedData(const fs::path& executableDir) {
    const std::array directories{executableDir, installedDocumentationDirectory(executableDir)};
    for (const auto& directory : directories) {
        const CarriedData carried{existing(directory / CarriedNationalFile),
                                  existing(directory / CarriedOfficesFile)};
        if (!carried.empty())
            return carried;
    }
    return {};
}

} // namespace mervasto

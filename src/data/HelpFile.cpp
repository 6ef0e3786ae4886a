#include "data/HelpFile.h"

#include "data/TablePaths.h"

#include <array>
#include <system_error>

namespace fs = std::filesystem;

namespace mervasto {

fs::path installedDocumentationDirectory(const fs::path& executableDir) {
    return (executableDir / MERVASTO_DOC_DIR_FROM_BIN).lexically_normal();
}

fs::path findHelpFile(const fs::path& executableDir) {
    const fs::path documentation = installedDocumentationDirectory(executableDir);
    const std::array candidates{resolveTablePath(executableDir, TableFile::Help),
                                resolveTablePath(documentation, TableFile::Help),
                                documentation / "manual" / "index.html"};
    for (const auto& candidate : candidates) {
        std::error_code error;
        if (fs::is_regular_file(candidate, error))
            return candidate;
    }
    return candidates.front();
}

} // namespace mervasto

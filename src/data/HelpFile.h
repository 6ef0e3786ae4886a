#pragma once

#include <filesystem>

namespace mervasto {

// The installed documentation (and data) directory of a program installed in `executableDir`
// (<prefix>/share/mervasto for <prefix>/bin).
std::filesystem::path installedDocumentationDirectory(const std::filesystem::path& executableDir);

// What the Help command opens, the first that exists of: the help file (ZipCode.chm) beside
// the executable, the help file in the installed documentation directory, and the HTML manual
// installed there (manual/index.html), for desktops that have no viewer for the help file. When
// none exists, the help file beside the executable, and the viewer reports it missing.
std::filesystem::path findHelpFile(const std::filesystem::path& executableDir);

} // namespace mervasto

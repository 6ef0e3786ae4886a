#pragma once

#include <filesystem>

namespace mervasto {

// What the output path of a conversion names, seen from its input file.
enum class OutputPath {
    New,      // nothing yet: the output is created
    Existing, // a file that the output would replace
    Device,   // something else that exists (a device such as /dev/null): written to as it is
    Input,    // the input itself, by any name: the same path, a hard or symbolic link, or on
              // Windows another case or a short name
};

// Tells what `output` names. Files are compared by identity (device and inode, or on Windows
// volume serial number and file index), not by their names.
OutputPath classifyOutputPath(const std::filesystem::path& input,
                              const std::filesystem::path& output);

} // namespace mervasto

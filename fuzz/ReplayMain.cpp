// Runs a fuzz target once over each file of the directories (or files) given, without
// libFuzzer: the seeds and the inputs of past findings then run with every test build.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fs = std::filesystem;

namespace {

void replay(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

} // namespace

int main(int argc, char** argv) {
    std::set<fs::path> files; // in name order, so that a run is repeatable
    for (int arg = 1; arg < argc; ++arg) {
        if (fs::is_directory(argv[arg])) {
            for (const auto& entry : fs::directory_iterator(argv[arg]))
                files.insert(entry.path());
        } else if (fs::exists(argv[arg])) {
            files.insert(argv[arg]);
        }
    }
    for (const auto& file : files)
        replay(file);
    std::printf("replayed %zu inputs\n", files.size());
    return 0;
}

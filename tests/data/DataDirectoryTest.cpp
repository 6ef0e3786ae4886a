#include "data/DataDirectory.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <ostream>
#include <string>

namespace mervasto {
namespace {

namespace fs = std::filesystem;

struct DirectoryCase {
    const char* name;
    fs::path chosen; // --data-dir; empty when not given
    bool portable;   // the marker lies beside the executable
    std::map<std::string, fs::path, std::less<>> environment;
    std::optional<fs::path> expected; // nothing: the executable's directory
};

void PrintTo(const DirectoryCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class ChooseDataDirectory : public ::testing::TestWithParam<DirectoryCase> {};

TEST_P(ChooseDataDirectory, FollowsTheOrderOfPreference) {
    const auto& testCase = GetParam();
    const test::TempDir executableDir;
    if (testCase.portable)
        test::writeBytes(executableDir / PortableMarker, "");
    const EnvironmentLookup environment = [&](std::string_view name) -> std::optional<fs::path> {
        const auto found = testCase.environment.find(name);
        if (found == testCase.environment.end())
            return std::nullopt;
        return found->second;
    };

    EXPECT_EQ(chooseDataDirectory(testCase.chosen, executableDir.path(), environment),
              testCase.expected.value_or(executableDir.path()));
}

#ifdef _WIN32
const DirectoryCase directoryCases[] = {
    {"DataDirOption", "D:\\postal", true, {{"LOCALAPPDATA", "C:\\Local"}}, "D:\\postal"},
    {"PortableCopy", "", true, {{"LOCALAPPDATA", "C:\\Local"}}, std::nullopt},
    {"LocalAppData",
     "",
     false,
     {{"LOCALAPPDATA", "C:\\Users\\u\\AppData\\Local"}, {"XDG_DATA_HOME", "C:\\xdg"}},
     "C:\\Users\\u\\AppData\\Local\\Mervasto"},
    {"RelativeLocalAppDataIgnored", "", false, {{"LOCALAPPDATA", "Local"}}, std::nullopt},
    {"NoLocalAppData", "", false, {{"HOME", "C:\\Users\\u"}}, std::nullopt},
};
#else
const DirectoryCase directoryCases[] = {
    {"DataDirOption", "/srv/postal", true, {{"HOME", "/home/u"}}, "/srv/postal"},
    {"PortableCopy", "", true, {{"XDG_DATA_HOME", "/x"}, {"HOME", "/home/u"}}, std::nullopt},
    {"XdgDataHome",
     "",
     false,
     {{"XDG_DATA_HOME", "/x/data"}, {"HOME", "/home/u"}},
     "/x/data/mervasto"},
    {"RelativeXdgDataHomeIgnored",
     "",
     false,
     {{"XDG_DATA_HOME", "data"}, {"HOME", "/home/u"}},
     "/home/u/.local/share/mervasto"},
    {"EmptyXdgDataHomeIgnored",
     "",
     false,
     {{"XDG_DATA_HOME", ""}, {"HOME", "/home/u"}},
     "/home/u/.local/share/mervasto"},
    {"HomeOnly", "", false, {{"HOME", "/home/u"}}, "/home/u/.local/share/mervasto"},
    {"NoHome", "", false, {{"LOCALAPPDATA", "/local"}}, std::nullopt},
};
#endif

INSTANTIATE_TEST_SUITE_P(Rules, ChooseDataDirectory, ::testing::ValuesIn(directoryCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace mervasto

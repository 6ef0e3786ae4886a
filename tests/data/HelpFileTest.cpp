#include "data/HelpFile.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace mervasto {
namespace {

namespace fs = std::filesystem;

// An installation under a temporary prefix: the program in bin/, its documentation in
// share/mervasto/.
struct HelpCase {
    const char* name;
    std::vector<fs::path> files; // relative to the prefix
    fs::path expected;           // relative to the prefix
};

void PrintTo(const HelpCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class FindHelpFile : public ::testing::TestWithParam<HelpCase> {};

TEST_P(FindHelpFile, TakesTheFirstThatExists) {
    const test::TempDir prefix;
    const fs::path bin = prefix / "bin";
    ASSERT_EQ(installedDocumentationDirectory(bin),
              (prefix / "share" / "mervasto").lexically_normal());
    for (const auto& file : GetParam().files) {
        fs::create_directories((prefix.path() / file).parent_path());
        test::writeBytes(prefix.path() / file, "help");
    }

    EXPECT_EQ(findHelpFile(bin).lexically_normal(),
              (prefix.path() / GetParam().expected).lexically_normal());
}

const fs::path besideProgram = "bin/ZipCode.chm";
const fs::path installedHelp = "share/mervasto/ZipCode.chm";
const fs::path htmlManual = "share/mervasto/manual/index.html";

const HelpCase helpCases[] = {
    {"BesideTheProgram", {besideProgram, installedHelp, htmlManual}, besideProgram},
    {"NameInOtherCase", {"bin/ZIPCODE.CHM", htmlManual}, "bin/ZIPCODE.CHM"},
    {"InstalledHelpFile", {installedHelp, htmlManual}, installedHelp},
    {"HtmlManual", {htmlManual}, htmlManual},
    {"NoneGivesTheHelpFileBesideTheProgram", {}, besideProgram},
};

INSTANTIATE_TEST_SUITE_P(Places, FindHelpFile, ::testing::ValuesIn(helpCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace mervasto

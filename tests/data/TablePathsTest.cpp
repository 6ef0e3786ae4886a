#include "data/TablePaths.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

namespace mervasto {
namespace {

namespace fs = std::filesystem;

struct JoinCase {
    const char* name;
    fs::path dir;
    fs::path joined;
};

class JoinTablePathTest : public ::testing::TestWithParam<JoinCase> {};

TEST_P(JoinTablePathTest, AddsOneSeparator) {
    EXPECT_EQ(joinTablePath(GetParam().dir, TableFile::Index).native(), GetParam().joined.native());
}

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(Paths, JoinTablePathTest,
                         ::testing::Values(JoinCase{"Directory", L"C:\\Mervasto",
                                                    L"C:\\Mervasto\\ZIPID1.txt"},
                                           JoinCase{"DriveRoot", L"C:\\", L"C:\\ZIPID1.txt"}),
                         [](const auto& info) { return info.param.name; });
#else
INSTANTIATE_TEST_SUITE_P(
    Paths, JoinTablePathTest,
    ::testing::Values(JoinCase{"Directory", "/opt/mervasto", "/opt/mervasto/ZIPID1.txt"},
                      JoinCase{"EndsInSeparator", "/opt/mervasto/", "/opt/mervasto/ZIPID1.txt"},
                      JoinCase{"Root", "/", "/ZIPID1.txt"}),
    [](const auto& info) { return info.param.name; });
#endif

struct ResolveCase {
    const char* name;
    const char* existing; // the file present in the directory, or nullptr
    std::string_view opened;
    const char* resolved;
};

class ResolveTablePathTest : public ::testing::TestWithParam<ResolveCase> {};

TEST_P(ResolveTablePathTest, MatchesNameIgnoringCase) {
    test::TempDir dir;
    if (GetParam().existing)
        test::writeBytes(dir / GetParam().existing, "x");
    const fs::path resolved = resolveTablePath(dir.path(), GetParam().opened);
    EXPECT_EQ(resolved.filename().string(), GetParam().resolved);
    EXPECT_EQ(resolved.parent_path(), dir.path());
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ResolveTablePathTest,
    ::testing::Values(
        ResolveCase{"ExactName", "ZIPCODE.txt", TableFile::Records, "ZIPCODE.txt"},
        ResolveCase{"UpperCaseFile", "ZIPCODE.TXT", TableFile::Records, "ZIPCODE.TXT"},
        ResolveCase{"MixedCaseFile", "ZipCode2.txt", TableFile::OfficesRead, "ZipCode2.txt"},
        ResolveCase{"NoMatchKeepsSpelling", "other.txt", TableFile::Index, "ZIPID1.txt"},
        ResolveCase{"EmptyDirectory", nullptr, TableFile::Lines, "ZipCode1.txt"}),
    [](const auto& info) { return info.param.name; });

TEST(TablePaths, MissingDirectoryKeepsSpelling) {
    test::TempDir dir;
    EXPECT_EQ(resolveTablePath(dir / "gone", TableFile::Index),
              joinTablePath(dir / "gone", "ZIPID1.txt"));
}

TEST(TablePaths, ExecutableDirectoryHoldsThisProgram) {
    const fs::path dir = executableDirectory();
    EXPECT_TRUE(fs::is_directory(dir));
}

} // namespace
} // namespace mervasto

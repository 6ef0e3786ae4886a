#include "data/TablePaths.h"

#include "data/LineWriter.h"
#include "data/RecordFile.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

namespace mervasto {
namespace {

namespace fs = std::filesystem;

struct JoinCase {
    const char* name;
    fs::path dir;
    std::string_view file;
    fs::path joined;
};

class JoinTablePathTest : public ::testing::TestWithParam<JoinCase> {};

TEST_P(JoinTablePathTest, AddsSeparatorOnlyWhenMissing) {
    EXPECT_EQ(joinTablePath(GetParam().dir, GetParam().file).native(), GetParam().joined.native());
}

#ifdef _WIN32
// Qt reports directories with forward slashes ("C:/" for a drive root).
INSTANTIATE_TEST_SUITE_P(
    Paths, JoinTablePathTest,
    ::testing::Values(JoinCase{"Directory", L"C:\\Mervasto", TableFile::Index,
                               L"C:\\Mervasto\\ZIPID1.txt"},
                      JoinCase{"DriveRoot", L"C:\\", TableFile::Index, L"C:\\ZIPID1.txt"},
                      JoinCase{"DriveRootWithSlash", L"C:/", TableFile::Records, L"C:/ZIPCODE.txt"},
                      JoinCase{"DirectoryWithSlashes", L"C:/Mervasto", TableFile::Records,
                               L"C:/Mervasto\\ZIPCODE.txt"},
                      JoinCase{"ShareRoot", L"\\\\server\\share\\", TableFile::Records,
                               L"\\\\server\\share\\ZIPCODE.txt"},
                      JoinCase{"JapaneseDirectory", L"D:\\\u90F5\u4FBF", TableFile::Records,
                               L"D:\\\u90F5\u4FBF\\ZIPCODE.txt"}),
    [](const auto& info) { return info.param.name; });
#else
INSTANTIATE_TEST_SUITE_P(
    Paths, JoinTablePathTest,
    ::testing::Values(
        JoinCase{"Directory", "/opt/mervasto", TableFile::Index, "/opt/mervasto/ZIPID1.txt"},
        JoinCase{"EndsInSeparator", "/opt/mervasto/", TableFile::Index, "/opt/mervasto/ZIPID1.txt"},
        JoinCase{"Root", "/", TableFile::Index, "/ZIPID1.txt"},
        JoinCase{"RootRecords", "/", TableFile::Records, "/ZIPCODE.txt"},
        JoinCase{"OtherDirectory", "/srv/mervasto", TableFile::Records,
                 "/srv/mervasto/ZIPCODE.txt"},
        JoinCase{"JapaneseDirectory", u8"/srv/\u90F5\u4FBF", TableFile::Records,
                 u8"/srv/\u90F5\u4FBF/ZIPCODE.txt"}),
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

// The offices builder writes "ZipCode2.txt", the search opens "ZIPCODE2.txt": one file.
TEST(TablePaths, BuilderAndSearchSpellingsReachOneFile) {
    test::TempDir dir;
    test::writeBytes(resolveTablePath(dir.path(), TableFile::Offices), "built");
    EXPECT_EQ(test::readBytes(resolveTablePath(dir.path(), TableFile::OfficesRead)), "built");
    EXPECT_EQ(test::listDirectory(dir.path()), "ZipCode2.txt\n");
}

// A table copied in under another spelling is replaced, not joined by a second file.
TEST(TablePaths, RebuildReplacesTableStoredInCapitals) {
    test::TempDir dir;
    test::writeBytes(dir / "ZIPCODE2.TXT", "copied");
    test::writeBytes(resolveTablePath(dir.path(), TableFile::Offices), "rebuilt");
    EXPECT_EQ(test::listDirectory(dir.path()), "ZIPCODE2.TXT\n");
    EXPECT_EQ(test::readBytes(resolveTablePath(dir.path(), TableFile::OfficesRead)), "rebuilt");
}

// Tables in a directory whose name is not ASCII (a user's Japanese folder name): written and
// read back through the table classes, which must pass the path on unconverted.
TEST(TablePaths, TablesInJapaneseDirectory) {
    test::TempDir temp;
    const fs::path dir = temp.path() / fs::path(u8"\u90F5\u4FBF\u756A\u53F7");
    fs::create_directory(dir);

    ZipRecord record;
    record.setCode(u"100-0005");
    record.setAddress(u"東京都千代田区丸の内");
    RecordFileWriter writer(resolveTablePath(dir, TableFile::Records));
    writer.write(1, record);
    writer.close();

    RecordFileReader reader(resolveTablePath(dir, TableFile::Records));
    ASSERT_EQ(reader.recordCount(), 1);
    const auto read = reader.read(1);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->Address, record.Address);

    LineWriter lines(resolveTablePath(dir, TableFile::Lines));
    lines.writeLine(u"100-0005　　東京都千代田区丸の内");
    lines.close();
    EXPECT_EQ(test::readBytes(joinTablePath(dir, TableFile::Lines)),
              "100-0005\x81\x40\x81\x40\x93\x8C\x8B\x9E\x93\x73\x90\xE7\x91\xE3\x93\x63\x8B\xE6"
              "\x8A\xDB\x82\xCC\x93\xE0\r\n");
}

TEST(TablePaths, ExecutableDirectoryHoldsThisProgram) {
    EXPECT_TRUE(fs::is_regular_file(executableDirectory() / MERVASTO_TEST_PROGRAM));
}

} // namespace
} // namespace mervasto

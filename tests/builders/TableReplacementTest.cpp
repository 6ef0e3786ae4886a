#include "builders/TableReplacement.h"
#include "TestFiles.h"
#include "data/DataError.h"

#include <gtest/gtest.h>

namespace mervasto::test {
namespace {

TEST(TableReplacement, CommitPutsEveryNewFileInPlace) {
    TempDir dir;
    writeBytes(dir / "ZIPID1.txt", "old index");
    {
        TableReplacement tables(dir.path());
        writeBytes(tables.add(dir / "ZIPID1.txt"), "new index");
        writeBytes(tables.add(dir / "ZipCode1.txt"), "new lines");
        tables.commit();
    }
    EXPECT_EQ(readBytes(dir / "ZIPID1.txt"), "new index");
    EXPECT_EQ(readBytes(dir / "ZipCode1.txt"), "new lines");
    EXPECT_EQ(listDirectory(dir.path()), "ZIPID1.txt\nZipCode1.txt\n");
}

TEST(TableReplacement, WithoutCommitNothingChangesAndNothingIsLeft) {
    TempDir dir;
    writeBytes(dir / "ZIPID1.txt", "old index");
    {
        TableReplacement tables(dir.path());
        writeBytes(tables.add(dir / "ZIPID1.txt"), "new index");
        writeBytes(tables.add(dir / "ZipCode1.txt"), "new lines");
    }
    EXPECT_EQ(readBytes(dir / "ZIPID1.txt"), "old index");
    EXPECT_EQ(listDirectory(dir.path()), "ZIPID1.txt\n");
}

TEST(TableReplacement, ATableThatCannotBeReplacedChangesNothing) {
    TempDir dir;
    writeBytes(dir / "ZIPID1.txt", "old index");
    std::filesystem::create_directories(dir / "ZipCode1.txt" / "in the way");
    {
        TableReplacement tables(dir.path());
        writeBytes(tables.add(dir / "ZIPID1.txt"), "new index");
        writeBytes(tables.add(dir / "ZipCode1.txt"), "new lines");
        EXPECT_THROW(tables.commit(), DataError);
    }
    EXPECT_EQ(readBytes(dir / "ZIPID1.txt"), "old index");
    EXPECT_EQ(listDirectory(dir.path()), "ZIPID1.txt\nZipCode1.txt\n");
}

} // namespace
} // namespace mervasto::test

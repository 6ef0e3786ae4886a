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

// The lock is free for a moment between shared and exclusive; a start that took it then removed
// a new file as a leftover. The commit must fail, not put half a set in place.
TEST(TableReplacement, ANewFileRemovedBeforeTheCommitFailsItAndChangesNothing) {
    TempDir dir;
    writeBytes(dir / "ZIPCODE.txt", "old records");
    writeBytes(dir / "ZIPID1.txt", "old index");
    {
        TableReplacement tables(dir.path());
        writeBytes(tables.add(dir / "ZIPCODE.txt"), "new records");
        const auto index = tables.add(dir / "ZIPID1.txt");
        writeBytes(index, "new index");
        std::filesystem::remove(index);
        EXPECT_THROW(tables.commit(), DataError);
    }
    EXPECT_EQ(readBytes(dir / "ZIPCODE.txt"), "old records");
    EXPECT_EQ(readBytes(dir / "ZIPID1.txt"), "old index");
    EXPECT_EQ(listDirectory(dir.path()), "ZIPCODE.txt\nZIPID1.txt\n");
}

} // namespace
} // namespace mervasto::test

#include "builders/TableReplacement.h"
#include "TestFiles.h"
#include "data/DataError.h"

#include <gtest/gtest.h>

namespace mervasto::test {
namespace {

TEST(TableReplacement, CommitPutsEveryNewFileInPlace) {
    TempDir dir;
    writeBytes(dir / "a", "old a");
    {
        TableReplacement tables;
        writeBytes(tables.add(dir / "a"), "new a");
        writeBytes(tables.add(dir / "b"), "new b");
        tables.commit();
    }
    EXPECT_EQ(readBytes(dir / "a"), "new a");
    EXPECT_EQ(readBytes(dir / "b"), "new b");
    EXPECT_EQ(listDirectory(dir.path()), "a\nb\n");
}

TEST(TableReplacement, WithoutCommitNothingChangesAndNothingIsLeft) {
    TempDir dir;
    writeBytes(dir / "a", "old a");
    {
        TableReplacement tables;
        writeBytes(tables.add(dir / "a"), "new a");
        writeBytes(tables.add(dir / "b"), "new b");
    }
    EXPECT_EQ(readBytes(dir / "a"), "old a");
    EXPECT_EQ(listDirectory(dir.path()), "a\n");
}

TEST(TableReplacement, FailedRenameRestoresTheFilesAlreadyReplaced) {
    TempDir dir;
    writeBytes(dir / "a", "old a");
    {
        TableReplacement tables;
        writeBytes(tables.add(dir / "a"), "new a");
        writeBytes(tables.add(dir / "b"), "new b");
        tables.add(dir / "c"); // never written: its rename fails
        EXPECT_THROW(tables.commit(), DataError);
    }
    EXPECT_EQ(readBytes(dir / "a"), "old a");
    EXPECT_EQ(listDirectory(dir.path()), "a\n");
}

} // namespace
} // namespace mervasto::test

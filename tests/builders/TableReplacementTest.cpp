#include "builders/TableReplacement.h"
#include "TestFiles.h"
#include "data/DataError.h"
#include "data/FileOperations.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

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

// The system's file operations, but a sync returns at once: the early syncs of the new files
// are over before the test goes on.
class InstantSyncs : public FileOperations {
public:
    void createFile(const fs::path& file, std::string_view bytes) override {
        system_.createFile(file, bytes);
    }
    void overwrite(const fs::path& file, std::uintmax_t offset, std::string_view bytes) override {
        system_.overwrite(file, offset, bytes);
    }
    void syncFile(const fs::path&) override {}
    void syncDirectory(const fs::path&) override {}
    void rename(const fs::path& from, const fs::path& to) override { system_.rename(from, to); }
    void link(const fs::path& existing, const fs::path& alias) override {
        system_.link(existing, alias);
    }
    void remove(const fs::path& file) override { system_.remove(file); }
    void createDirectory(const fs::path& dir) override { system_.createDirectory(dir); }
    void removeTree(const fs::path& dir) override { system_.removeTree(dir); }

private:
    FileOperations& system_ = fileOperations();
};

// The lock is free for an instant between shared and exclusive; a start that took it then
// removed a new file, already synced, as a leftover. The commit must fail, not put half a set in
// place.
TEST(TableReplacement, ANewFileRemovedBeforeTheCommitFailsItAndChangesNothing) {
    TempDir dir;
    writeBytes(dir / "ZIPCODE.txt", "old records");
    writeBytes(dir / "ZIPID1.txt", "old index");
    {
        InstantSyncs instant;
        const ScopedFileOperations scope(instant);
        TableReplacement tables(dir.path());
        const auto records = tables.add(dir / "ZIPCODE.txt");
        const auto index = tables.add(dir / "ZIPID1.txt");
        writeBytes(records, "new records");
        writeBytes(index, "new index");
        tables.completed(records);
        tables.completed(index);
        fs::remove(index);
        EXPECT_THROW(tables.commit(), DataError);
    }
    EXPECT_EQ(readBytes(dir / "ZIPCODE.txt"), "old records");
    EXPECT_EQ(readBytes(dir / "ZIPID1.txt"), "old index");
    EXPECT_EQ(listDirectory(dir.path()), "ZIPCODE.txt\nZIPID1.txt\n");
}

} // namespace
} // namespace mervasto::test

#include "data/TableCommit.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace mervasto::test {
namespace {

std::string journal(std::string_view direction, std::string_view steps) {
    return std::string(JournalHeader) + std::string(direction) + "\n" + std::string(steps) +
           "end\n";
}

struct JournalCase {
    const char* name;
    std::string bytes;
    bool valid;
};

// A journal comes from the disk: whatever it holds, it names only the tables and their
// temporaries in the directory.
const JournalCase JournalCases[] = {
    {"Forward", journal("F", "ZIPCODE.TXT\t.ZIPCODE.TXT.12.tmp\t.ZIPCODE.TXT.34.tmp\n"), true},
    {"UndoWithoutBackup", journal("U", "ZipCode2.txt\t.ZipCode2.txt.5.tmp\t\n"), true},
    {"CutShort", journal("F", "ZIPID1.txt\t.ZIPID1.txt.1.tmp\t\n").substr(0, 40), false},
    {"NoSteps", journal("F", ""), false},
    {"UnknownDirection", journal("X", "ZIPID1.txt\t.ZIPID1.txt.1.tmp\t\n"), false},
    {"NotATable", journal("F", "passwd\t.passwd.1.tmp\t\n"), false},
    {"TableOutsideTheDirectory", journal("F", "../ZIPID1.txt\t.ZIPID1.txt.1.tmp\t\n"), false},
    {"FreshOfAnotherTable", journal("F", "ZIPID1.txt\t.ZipCode1.txt.1.tmp\t\n"), false},
    {"FreshOutsideTheDirectory", journal("F", "ZIPID1.txt\t../.ZIPID1.txt.1.tmp\t\n"), false},
    {"BackupNotATemporary", journal("F", "ZIPID1.txt\t.ZIPID1.txt.1.tmp\tZIPID1.txt\n"), false},
    {"FourFields", journal("F", "ZIPID1.txt\t.ZIPID1.txt.1.tmp\t\t\n"), false},
    {"TwoFields", journal("F", "ZIPID1.txt\t.ZIPID1.txt.1.tmp\n"), false},
};

class JournalParsing : public testing::TestWithParam<JournalCase> {};

TEST_P(JournalParsing, AcceptsOnlyWholeJournalsOfTables) {
    const auto parsed = parseJournal(GetParam().bytes);
    EXPECT_EQ(parsed.has_value(), GetParam().valid);
    if (parsed) {
        EXPECT_EQ(journalBytes(*parsed), GetParam().bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(Journals, JournalParsing, testing::ValuesIn(JournalCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TemporaryNames, OnlyTemporariesOfTablesAndOfTheJournalAreLeftovers) {
    for (const char* name :
         {".ZIPCODE.txt.1.tmp", ".zipcode2.TXT.99.tmp", "..mervasto-commit.7.tmp"})
        EXPECT_TRUE(isTemporaryName(name)) << name;
    for (const char* name : {"ZIPCODE.txt", ".ZIPCODE.txt.tmp", "ZIPCODE.txt.1.tmp",
                             ".ZIPCODE.txt.1a.tmp", ".notes.txt.1.tmp", ".mervasto-commit"})
        EXPECT_FALSE(isTemporaryName(name)) << name;
}

struct RecoveryCase {
    const char* name;
    std::string journal; // "" for none
    std::string after;   // the directory after the recovery: name=bytes, sorted
};

// The directory before each recovery: ZIPID1.txt already replaced, ZipCode1.txt not yet, both
// old files kept under backup names, a leftover of an earlier build and a file of the user's.
const RecoveryCase RecoveryCases[] = {
    {"ForwardFinishes",
     journal("F", "ZIPID1.txt\t.ZIPID1.txt.1.tmp\t.ZIPID1.txt.2.tmp\n"
                  "ZipCode1.txt\t.ZipCode1.txt.3.tmp\t.ZipCode1.txt.4.tmp\n"),
     "ZIPID1.txt=new index\nZipCode1.txt=new lines\nnotes.tmp=mine\n"},
    {"UndoPutsTheOldSetBack",
     journal("U", "ZIPID1.txt\t.ZIPID1.txt.1.tmp\t.ZIPID1.txt.2.tmp\n"
                  "ZipCode1.txt\t.ZipCode1.txt.3.tmp\t.ZipCode1.txt.4.tmp\n"),
     "ZIPID1.txt=old index\nZipCode1.txt=old lines\nnotes.tmp=mine\n"},
    {"UndoRemovesATableThatWasNotThere",
     journal("U", "ZIPID1.txt\t.ZIPID1.txt.1.tmp\t\n"
                  "ZipCode1.txt\t.ZipCode1.txt.3.tmp\t.ZipCode1.txt.4.tmp\n"),
     "ZipCode1.txt=old lines\nnotes.tmp=mine\n"},
    {"NoJournalRemovesTheTemporaries", "",
     "ZIPID1.txt=new index\nZipCode1.txt=old lines\nnotes.tmp=mine\n"},
    {"MalformedJournalIsDropped", "garbage",
     "ZIPID1.txt=new index\nZipCode1.txt=old lines\nnotes.tmp=mine\n"},
};

std::string contents(const std::filesystem::path& dir) {
    std::string text;
    for (const auto& name : {"ZIPID1.txt", "ZipCode1.txt", "notes.tmp"}) {
        if (std::filesystem::exists(dir / name))
            text += std::string(name) + "=" + readBytes(dir / name) + "\n";
    }
    return text;
}

class Recovery : public testing::TestWithParam<RecoveryCase> {};

TEST_P(Recovery, LeavesOneWholeSetAndNoTemporary) {
    TempDir dir;
    writeBytes(dir / "ZIPID1.txt", "new index");
    writeBytes(dir / ".ZIPID1.txt.2.tmp", "old index");
    writeBytes(dir / "ZipCode1.txt", "old lines");
    writeBytes(dir / ".ZipCode1.txt.3.tmp", "new lines");
    writeBytes(dir / ".ZipCode1.txt.4.tmp", "old lines");
    writeBytes(dir / ".ZIPCODE.TXT.9.tmp", "earlier leftover");
    writeBytes(dir / "notes.tmp", "mine");
    if (!GetParam().journal.empty())
        writeBytes(dir / std::string(JournalName), GetParam().journal);

    recoverInterruptedCommit(dir.path());

    EXPECT_EQ(contents(dir.path()), GetParam().after);
    std::string names; // nothing but the files above: no temporary, no journal
    for (std::string_view line = GetParam().after; !line.empty();
         line.remove_prefix(line.find('\n') + 1))
        names += std::string(line.substr(0, line.find('='))) + "\n";
    EXPECT_EQ(listDirectory(dir.path()), names);
}

INSTANTIATE_TEST_SUITE_P(Directories, Recovery, testing::ValuesIn(RecoveryCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A build waiting for the exclusive lock holds no table lock, but its mark: its new files are
// no leftovers.
TEST(LeftoverTemporaries, StayWhileABuildHoldsItsMark) {
    TempDir dir;
    writeBytes(dir / ".ZIPCODE.txt.1.tmp", "new records");
    {
        const BuildMark building(dir.path());
        EXPECT_TRUE(BuildMark::isHeld(dir.path()));
        removeLeftoverTemporaries(dir.path());
        EXPECT_EQ(listDirectory(dir.path()), ".ZIPCODE.txt.1.tmp\n");
    }
    EXPECT_FALSE(BuildMark::isHeld(dir.path()));
    removeLeftoverTemporaries(dir.path());
    EXPECT_EQ(listDirectory(dir.path()), "");
}

struct WholeCase {
    const char* name;
    std::string journal;
    bool whole;
};

// The same directory as above, with ZipCode1.txt's backup a copy: a journal that cannot be
// finished leaves a whole set only when every table holds what the direction puts there.
const WholeCase WholeCases[] = {
    {"ForwardWithEveryNewFileInPlace",
     journal("F", "ZIPID1.txt\t.ZIPID1.txt.1.tmp\t.ZIPID1.txt.2.tmp\n"), true},
    {"ForwardWithANewFileNotYetInPlace",
     journal("F", "ZIPID1.txt\t.ZIPID1.txt.1.tmp\t.ZIPID1.txt.2.tmp\n"
                  "ZipCode1.txt\t.ZipCode1.txt.3.tmp\t.ZipCode1.txt.4.tmp\n"),
     false},
    {"UndoWithEveryOldContentInPlace",
     journal("U", "ZIPID1.txt\t.ZIPID1.txt.1.tmp\t.ZIPID1.txt.5.tmp\n"
                  "ZipCode1.txt\t.ZipCode1.txt.3.tmp\t.ZipCode1.txt.4.tmp\n"),
     true},
    {"UndoWithANewTableStillInPlace",
     journal("U", "ZIPID1.txt\t.ZIPID1.txt.1.tmp\t.ZIPID1.txt.2.tmp\n"
                  "ZipCode1.txt\t.ZipCode1.txt.3.tmp\t.ZipCode1.txt.4.tmp\n"),
     false},
    {"UndoWithATableThatWasNotThere", journal("U", "ZIPID1.txt\t.ZIPID1.txt.1.tmp\t\n"), false},
    {"UndoOfATableThatIsGone", journal("U", "ZIPCODE.txt\t.ZIPCODE.txt.1.tmp\t\n"), true},
    {"Malformed", "garbage", false},
    {"None", "", true},
};

class WholeTables : public testing::TestWithParam<WholeCase> {};

TEST_P(WholeTables, OnlyWhenEveryTableHoldsWhatTheDirectionPutsThere) {
    TempDir dir;
    writeBytes(dir / "ZIPID1.txt", "new index");
    writeBytes(dir / ".ZIPID1.txt.2.tmp", "old index");
    writeBytes(dir / "ZipCode1.txt", "old lines");
    writeBytes(dir / ".ZipCode1.txt.3.tmp", "new lines");
    writeBytes(dir / ".ZipCode1.txt.4.tmp", "old lines");
    if (!GetParam().journal.empty())
        writeBytes(dir / std::string(JournalName), GetParam().journal);
    std::filesystem::create_hard_link(dir / "ZIPID1.txt", dir / ".ZIPID1.txt.5.tmp");

    EXPECT_EQ(tablesAreWhole(dir.path()), GetParam().whole);
}

INSTANTIATE_TEST_SUITE_P(Directories, WholeTables, testing::ValuesIn(WholeCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace mervasto::test

// Recovery from an interrupted table replacement, on an arbitrary journal. The input's first
// section is the journal's bytes; the second, when there is one, a bit per file of the table
// directory saying whether it is there (all are there without it). The directory holds the
// tables, a new file and a backup of each, and files that no journal may touch.
//
// After recovery each table the journal names holds exactly the content of a new file or of a
// backup the journal names for it, or is as it was when none of them is there. No temporary
// file and no journal is left, every other file is as it was, nothing appeared, nothing
// outside the directory changed, and a second recovery changes nothing.

#include "FuzzSupport.h"
#include "data/DataError.h"
#include "data/TableCommit.h"

#include <array>
#include <optional>
#include <set>
#include <string>

namespace fs = std::filesystem;
using namespace mervasto;

namespace {

constexpr std::array<std::string_view, 4> Tables = {"ZIPCODE.txt", "ZIPID1.txt", "ZipCode1.txt",
                                                    "ZipCode2.txt"};
// Files beside the tables that no journal may name: the same names in another case, another
// temporary, the journal's own temporary.
constexpr std::array<std::string_view, 5> Bystanders = {
    "zipcode.txt", ".zipcode.txt.1.tmp", "ZIPCODE2.txt", "readme.txt", ".mervasto-commit.3.tmp"};

struct Fixture {
    fs::path tables;
    fs::path canary;
};

std::string newName(std::string_view table) {
    return temporaryName(table, 1);
}

std::string backupName(std::string_view table) {
    return temporaryName(table, 2);
}

// Every file the directory starts with, and its content: a backup holds its table's content.
std::vector<std::pair<std::string, std::string>> startingFiles() {
    std::vector<std::pair<std::string, std::string>> files;
    for (const std::string_view table : Tables) {
        files.emplace_back(table, "old " + std::string(table));
        files.emplace_back(newName(table), "new " + std::string(table));
        files.emplace_back(backupName(table), "old " + std::string(table));
    }
    for (const std::string_view bystander : Bystanders)
        files.emplace_back(bystander, "bystander " + std::string(bystander));
    return files;
}

bool isPresent(std::string_view mask, std::size_t file) {
    if (file / 8 >= mask.size())
        return mask.empty();
    return (static_cast<unsigned char>(mask[file / 8]) >> (file % 8) & 1u) != 0;
}

Fixture arrange(std::string_view journal, std::string_view mask) {
    const fs::path root = fuzz::freshDirectory("journal-recovery");
    const Fixture fixture{root / "tables", root / "canary"};
    fs::create_directory(fixture.tables);
    fs::create_directory(fixture.canary);
    fuzz::writeFile(fixture.canary / "ZIPCODE.txt", "outside");
    const auto files = startingFiles();
    for (std::size_t file = 0; file < files.size(); ++file) {
        if (isPresent(mask, file))
            fuzz::writeFile(fixture.tables / files[file].first, files[file].second);
    }
    fuzz::writeFile(fixture.tables / JournalName, journal);
    return fixture;
}

std::optional<std::string> contentOf(const fuzz::DirectorySnapshot& files,
                                     const std::string& name) {
    const auto found = files.find(name);
    return found == files.end() ? std::nullopt : std::optional(found->second);
}

// What the table may hold after recovery: the content of a file that the journal puts in its
// place, nothing for a backup it names as none, or its content before when none is there.
std::set<std::optional<std::string>> allowedContents(const CommitJournal& journal,
                                                     const std::string& table,
                                                     const fuzz::DirectorySnapshot& before) {
    std::set<std::optional<std::string>> allowed;
    for (const CommitStep& step : journal.steps) {
        if (step.table != table)
            continue;
        const bool forward = journal.direction == CommitDirection::Forward;
        const std::string& source = forward ? step.fresh : step.backup;
        if (source.empty())
            allowed.insert(std::nullopt);
        else if (const auto content = contentOf(before, source))
            allowed.insert(content);
    }
    if (allowed.empty())
        allowed.insert(contentOf(before, table));
    return allowed;
}

void checkRecovered(const std::optional<CommitJournal>& journal,
                    const fuzz::DirectorySnapshot& before, const fuzz::DirectorySnapshot& after) {
    std::set<std::string> named;
    if (journal) {
        for (const CommitStep& step : journal->steps) {
            named.insert(step.table);
            fuzz::require(allowedContents(*journal, step.table, before)
                              .contains(contentOf(after, step.table)),
                          "a table holds neither its new content nor its backup");
        }
    }
    for (const auto& [name, content] : after) {
        fuzz::require(name != JournalName, "the journal is left after recovery");
        fuzz::require(!isTemporaryName(name), "a temporary file is left after recovery");
        fuzz::require(before.contains(name) || named.contains(name),
                      "a file appeared in the table directory");
    }
    for (const auto& [name, content] : before) {
        if (named.contains(name) || isTemporaryName(name) || name == JournalName)
            continue;
        fuzz::require(contentOf(after, name) == content,
                      "a file the journal does not name was changed");
    }
}

std::set<fs::path> namesIn(const fs::path& dir) {
    std::set<fs::path> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.insert(entry.path().filename());
    return names;
}

void recover(const fs::path& dir) {
    try {
        recoverInterruptedCommit(dir);
    } catch (const DataError&) {
        fuzz::fail("recovery failed on a directory that it may change freely");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto sections = fuzz::splitSections(fuzz::asBytes(data, size), 2);
    const std::string_view journalText = sections[0];
    const std::string_view mask = sections.size() > 1 ? sections[1] : std::string_view();
    const Fixture fixture = arrange(journalText, mask);
    const fuzz::DirectorySnapshot before = fuzz::snapshot(fixture.tables);
    const fuzz::DirectorySnapshot canary = fuzz::snapshot(fixture.canary);

    recover(fixture.tables);
    const fuzz::DirectorySnapshot after = fuzz::snapshot(fixture.tables);
    checkRecovered(parseJournal(journalText), before, after);
    fuzz::require(fuzz::snapshot(fixture.canary) == canary, "a file outside the directory changed");
    fuzz::require(namesIn(fixture.tables.parent_path()) == std::set<fs::path>{"canary", "tables"},
                  "a file was written beside the table directory");

    recover(fixture.tables);
    fuzz::require(fuzz::snapshot(fixture.tables) == after, "a second recovery changed the tables");
    return 0;
}

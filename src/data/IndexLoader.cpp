#include "data/IndexLoader.h"

#include "data/DataError.h"
#include "data/ItemReader.h"
#include "data/TablePaths.h"

namespace mervasto {

namespace {

// Reads entries until the end of the file; throws DataError when it cannot go on.
void readEntries(ItemReader& reader, IndexTable& table) {
    while (!reader.atEnd()) {
        const int slot = table.Count;
        IndexTable::checkSlot(slot);
        table.Key[slot] = reader.readText();
        table.City[slot] = reader.readText();
        table.FirstRecord[slot] = reader.readNumber();
        table.incrementCount();
    }
}

} // namespace

bool loadIndexTable(const std::filesystem::path& dataDir, IndexTable& table) {
    table.Count = 0;
    try {
        ItemReader reader(resolveTablePath(dataDir, TableFile::Index));
        readEntries(reader, table);
        return true;
    } catch (const DataError&) {
        return false;
    }
}

} // namespace mervasto

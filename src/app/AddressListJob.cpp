#include "app/AddressListJob.h"

#include "builders/ReplacedFile.h"
#include "data/Filest.h"
#include "data/IndexLoader.h"
#include "data/TableCommit.h"

#include <exception>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>

namespace mervasto {

AddressListJob::AddressListJob(const Files& files, const AddressListOptions& options,
                               const std::filesystem::path& dataDir)
    : thread_([=, this] { state_ = run(files, options, dataDir); }) {}

AddressListJob::~AddressListJob() {
    cancel();
    thread_.join();
}

AddressListJob::State AddressListJob::run(const Files& files, const AddressListOptions& options,
                                          const std::filesystem::path& dataDir) {
    try {
        std::ifstream in(files.input, std::ios::binary);
        if (!in)
            return State::Failed;
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        AddressListConversion conversion(bytes, options);
        rowCount_ = conversion.rowCount();
        std::optional<TableLock> tables = lockWholeTables(dataDir);
        const auto index = std::make_unique<IndexTable>();
        loadIndexTable(dataDir, *index);
        BatchSearch search(dataDir, *index);
        while (!conversion.done()) {
            if (cancelled_)
                return State::Cancelled;
            conversion.convertNext(search);
            rowsDone_ = conversion.rowsDone();
        }
        tables.reset(); // the output may go beside the tables, which needs the lock itself
        writeReplacing(files.output, conversion.outputBytes());
        foundCount_ = conversion.foundCount();
        return State::Completed;
    } catch (const std::exception&) {
        return State::Failed;
    }
}

} // namespace mervasto

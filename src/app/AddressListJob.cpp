#include "app/AddressListJob.h"

#include "builders/ReplacedFile.h"
#include "data/Filest.h"
#include "data/IndexLoader.h"
#include "data/TableCommit.h"
#include "data/WholeFile.h"

#include <exception>
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
        AddressListConversion conversion(readWholeFile(files.input), options);
        fault_ = conversion.fault();
        if (fault_ != AddressListFault::None)
            return State::Refused;
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
        writeOutputFile(files.output, conversion.outputBytes(ByteOrderMark::Written));
        foundCount_ = conversion.foundCount();
        statusCounts_ = conversion.statusCounts();
        return State::Completed;
    } catch (const std::exception&) {
        return State::Failed;
    }
}

} // namespace mervasto

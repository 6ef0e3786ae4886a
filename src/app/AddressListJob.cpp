#include "app/AddressListJob.h"

#include "builders/ReplacedFile.h"

#include <exception>
#include <fstream>
#include <iterator>

namespace mervasto {

AddressListJob::AddressListJob(const Files& files, const AddressListOptions& options,
                               const std::filesystem::path& dataDir, const IndexTable& index)
    : thread_([=, this, &index] { state_ = run(files, options, dataDir, index); }) {}

AddressListJob::~AddressListJob() {
    cancel();
    thread_.join();
}

AddressListJob::State AddressListJob::run(const Files& files, const AddressListOptions& options,
                                          const std::filesystem::path& dataDir,
                                          const IndexTable& index) {
    try {
        std::ifstream in(files.input, std::ios::binary);
        if (!in)
            return State::Failed;
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        AddressListConversion conversion(bytes, options);
        rowCount_ = conversion.rowCount();
        BatchSearch search(dataDir, index);
        while (!conversion.done()) {
            if (cancelled_)
                return State::Cancelled;
            conversion.convertNext(search);
            rowsDone_ = conversion.rowsDone();
        }
        writeReplacing(files.output, conversion.outputBytes());
        foundCount_ = conversion.foundCount();
        return State::Completed;
    } catch (const std::exception&) {
        return State::Failed;
    }
}

} // namespace mervasto

#pragma once

#include "search/AddressListConversion.h"

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <string>
#include <thread>

namespace mervasto {

// An address list converted into an output file on a thread of its own, so that a window
// stays responsive, shows the progress and can cancel. The output is written under a
// temporary name and renamed when complete: a cancelled, refused or failed job leaves no
// output file.
class AddressListJob {
public:
    enum class State {
        Running,
        Completed,
        Cancelled,
        Refused, // the list cannot be converted (fault() tells why); nothing was written
        Failed,  // a read or write error; nothing was written
    };

    struct Files {
        std::filesystem::path input;
        std::filesystem::path output;
    };

    // Starts at once. The job searches the tables in `dataDir` with their own index, held so
    // that no build replaces them while it reads.
    AddressListJob(const Files& files, const AddressListOptions& options,
                   const std::filesystem::path& dataDir);
    // Cancels the job and waits for it.
    ~AddressListJob();
    AddressListJob(const AddressListJob&) = delete;
    AddressListJob& operator=(const AddressListJob&) = delete;

    // Stops the job between two rows.
    void cancel() { cancelled_ = true; }

    State state() const { return state_; }
    std::size_t rowsDone() const { return rowsDone_; }
    std::size_t rowCount() const { return rowCount_; }
    // Once Completed: the rows with a postal code, and the rows of each status.
    std::size_t foundCount() const { return foundCount_; }
    const StatusCounts& statusCounts() const { return statusCounts_; }
    // Once Refused: why.
    AddressListFault fault() const { return fault_; }

private:
    State run(const Files& files, const AddressListOptions& options,
              const std::filesystem::path& dataDir);

    std::atomic<bool> cancelled_ = false;
    std::atomic<State> state_ = State::Running;
    std::atomic<std::size_t> rowsDone_ = 0;
    std::atomic<std::size_t> rowCount_ = 0;
    std::atomic<std::size_t> foundCount_ = 0;
    // Written by the job's thread before it sets state_, read by others only after.
    StatusCounts statusCounts_;
    AddressListFault fault_ = AddressListFault::None;
    std::thread thread_;
};

} // namespace mervasto

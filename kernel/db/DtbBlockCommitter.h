// Commits the blocks of the element pool's range, the next few ahead of use on a thread of
// their own.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>

// The system zeroes every fresh page when it is first mapped, and under a hypervisor that is
// slow (about a gigabyte a second): for a million elements a third of a load's time. Blocks
// are therefore committed a few ahead of the one in use by a helper thread, beside the load;
// a block that is not ready yet is committed (or waited for) by whoever needs it.
class DtbBlockCommitter {
public:
    DtbBlockCommitter(char* start, char* end, std::size_t blockSize, std::size_t ahead)
        : committedEnd_(start),
          wantedEnd_(start),
          end_(end),
          blockSize_(blockSize),
          ahead_(ahead) {}

    ~DtbBlockCommitter();
    DtbBlockCommitter(const DtbBlockCommitter&) = delete;
    DtbBlockCommitter& operator=(const DtbBlockCommitter&) = delete;

    // Makes [start, upTo) usable and asks for the blocks ahead of it. False when the system
    // gave no memory for a block (then, and from then on, nothing more is committed).
    bool Commit(char* upTo);

private:
    bool CommitNext(std::unique_lock<std::mutex>& lock);
    void CommitAhead();

    std::mutex lock_;
    std::condition_variable changed_;
    char* committedEnd_;  // [start, committedEnd_) is committed
    char* wantedEnd_;     // what the helper commits up to
    char* const end_;
    const std::size_t blockSize_;
    const std::size_t ahead_;
    bool busy_ = false;  // a block at committedEnd_ is being committed
    bool failed_ = false;
    bool helperStarted_ = false;
    bool stop_ = false;
    std::thread helper_;
};

// Block commits of the element pool, ahead of use on a helper thread.
#include "kernel/db/DtbBlockCommitter.h"

#include <algorithm>
#include <system_error>

#include "platform/LargeBlocks.h"

DtbBlockCommitter::~DtbBlockCommitter() {
    {
        std::lock_guard<std::mutex> lock(lock_);
        stop_ = true;
    }
    changed_.notify_all();
    if (helper_.joinable()) helper_.join();
}

bool DtbBlockCommitter::Commit(char* upTo) {
    std::unique_lock<std::mutex> lock(lock_);
    while (committedEnd_ < upTo) {
        if (failed_) return false;
        if (busy_) {
            changed_.wait(lock);
        } else if (!CommitNext(lock)) {
            return false;
        }
    }
    const std::size_t room = static_cast<std::size_t>(end_ - upTo);
    char* const wanted = upTo + std::min(ahead_, room);
    if (wanted > wantedEnd_) {
        wantedEnd_ = wanted;
        if (!helperStarted_) {
            helperStarted_ = true;
            try {
                helper_ = std::thread([this] { CommitAhead(); });
            } catch (const std::system_error&) {
                // No thread: every block is committed when it is needed.
            }
        }
        changed_.notify_all();
    }
    return true;
}

// The system call runs without the lock; busy_ keeps others off the block meanwhile.
bool DtbBlockCommitter::CommitNext(std::unique_lock<std::mutex>& lock) {
    char* const at = committedEnd_;
    busy_ = true;
    lock.unlock();
    const bool ok = platform::CommitLargeBlock(at, blockSize_);
    lock.lock();
    busy_ = false;
    if (ok)
        committedEnd_ = at + blockSize_;
    else
        failed_ = true;
    changed_.notify_all();
    return ok;
}

void DtbBlockCommitter::CommitAhead() {
    std::unique_lock<std::mutex> lock(lock_);
    for (;;) {
        changed_.wait(
            lock, [this] { return stop_ || (!busy_ && !failed_ && committedEnd_ < wantedEnd_); });
        if (stop_) return;
        CommitNext(lock);
    }
}

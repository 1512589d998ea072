// Size-class pool of element and text memory, and the handles to it.
#include "kernel/db/DtbPool.h"

#include <array>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <new>
#include <unordered_map>
#include <vector>

#include "kernel/db/DtbBlockCommitter.h"
#include "platform/LargeBlocks.h"
#include "platform/SanitizedBuild.h"

namespace {

// Sanitizer builds check every element and text on their own allocator.
constexpr bool kPassThrough = platform::kSanitizedBuild;

constexpr std::size_t kStep = 8;
constexpr std::size_t kClasses = kDtbPoolMaxSize / kStep;
constexpr std::size_t kBlockSize = std::size_t{2} << 20;  // one huge page
// Blocks committed ahead of the one in use while the pool grows (DtbBlockCommitter).
constexpr std::size_t kCommitAhead = 4 * kBlockSize;
// Handles below the table bit in 8-byte steps: 16 GiB less a block. Where the system will not
// give that much address space, the smaller sizes are tried.
constexpr std::size_t kRangeSizes[] = {(std::size_t{1} << 34) - kBlockSize, std::size_t{1} << 32,
                                       std::size_t{1} << 30};

struct FreeSlot {
    FreeSlot* next;
};

// A short critical section per call, nearly always uncontended: a spin lock costs less than
// a mutex here.
class SpinLock {
public:
    void lock() noexcept {
        while (flag_.test_and_set(std::memory_order_acquire)) {
        }
    }
    void unlock() noexcept { flag_.clear(std::memory_order_release); }

private:
    std::atomic_flag flag_ = ATOMIC_FLAG_INIT;
};

struct Pool {
    Pool() {
        if (kPassThrough) return;
        for (std::size_t size : kRangeSizes) {
            if (void* range = platform::ReserveAddressSpace(size)) {
                rangeStart = static_cast<char*>(range);
                rangeEnd = rangeStart + size;
                dtb_detail::g_rangeBias.store(reinterpret_cast<uintptr_t>(range) - 8,
                                              std::memory_order_relaxed);
                dtb_detail::g_rangeSize.store(size, std::memory_order_relaxed);
                break;
            }
        }
        nextBlock = rangeStart;
        if (rangeStart)
            committer =
                std::make_unique<DtbBlockCommitter>(rangeStart, rangeEnd, kBlockSize, kCommitAhead);
    }

    SpinLock lock;
    std::array<FreeSlot*, kClasses> free{};
    char* cursor = nullptr;  // the unused rest of the newest block
    char* limit = nullptr;
    // The reserved range; blocks are committed from its start and never given back while the
    // program runs.
    char* rangeStart = nullptr;
    char* rangeEnd = nullptr;
    char* nextBlock = nullptr;
    std::unique_ptr<DtbBlockCommitter> committer;
    std::size_t inUse = 0;
};

// Made on first use and never destroyed: elements of static databases may be freed after
// the end of main.
Pool& ThePool() {
    static Pool* pool = new Pool;
    return *pool;
}

std::size_t ClassOf(std::size_t size) {
    return size == 0 ? 0 : (size - 1) / kStep;
}

// A fresh block for the pool, or false when its range is used up.
bool NewBlock(Pool& pool) {
    if (pool.nextBlock == pool.rangeEnd || !pool.committer ||
        !pool.committer->Commit(pool.nextBlock + kBlockSize)) {
        pool.nextBlock = pool.rangeEnd;  // nothing more from the range
        return false;
    }
    // The rest of the old block goes to the free lists of the sizes it still fits.
    while (pool.cursor != nullptr && pool.limit - pool.cursor >= static_cast<long>(kStep)) {
        const std::size_t rest = static_cast<std::size_t>(pool.limit - pool.cursor);
        const std::size_t rc = (rest < kDtbPoolMaxSize ? rest : kDtbPoolMaxSize) / kStep - 1;
        auto* s = reinterpret_cast<FreeSlot*>(pool.cursor);
        s->next = pool.free[rc];
        pool.free[rc] = s;
        pool.cursor += (rc + 1) * kStep;
    }
    pool.cursor = pool.nextBlock;
    pool.limit = pool.nextBlock + kBlockSize;
    pool.nextBlock += kBlockSize;
    return true;
}

}  // namespace

void* DtbPoolAllocate(std::size_t size) {
    if (kPassThrough || size > kDtbPoolMaxSize) return ::operator new(size);
    const std::size_t c = ClassOf(size);
    const std::size_t bytes = (c + 1) * kStep;
    Pool& pool = ThePool();
    {
        std::lock_guard<SpinLock> guard(pool.lock);
        if (FreeSlot* slot = pool.free[c]) {
            pool.free[c] = slot->next;
            pool.inUse += bytes;
            return slot;
        }
        if (static_cast<std::size_t>(pool.limit - pool.cursor) >= bytes || NewBlock(pool)) {
            void* p = pool.cursor;
            pool.cursor += bytes;
            pool.inUse += bytes;
            return p;
        }
    }
    // The range is used up (or the system gave none): the rest has handles from the table.
    return ::operator new(size);
}

void DtbPoolFree(void* p, std::size_t size) noexcept {
    if (p == nullptr) return;
    if (!DtbPoolOwns(p)) {
        ::operator delete(p);
        return;
    }
    const std::size_t c = ClassOf(size);
    Pool& pool = ThePool();
    std::lock_guard<SpinLock> guard(pool.lock);
    pool.inUse -= (c + 1) * kStep;
    auto* slot = static_cast<FreeSlot*>(p);
    slot->next = pool.free[c];
    pool.free[c] = slot;
}

DtbPoolUsage GetDtbPoolUsage() {
    Pool& pool = ThePool();
    std::lock_guard<SpinLock> guard(pool.lock);
    return {static_cast<std::size_t>(pool.nextBlock - pool.rangeStart), pool.inUse};
}

// --- The handle table ----------------------------------------------------------------------

namespace dtb_detail {

std::atomic<uintptr_t> g_rangeBias{0};
std::atomic<uintptr_t> g_rangeSize{0};
std::atomic<std::size_t> g_tableCount{0};

}  // namespace dtb_detail

namespace {

// Entries are kept in chunks that never move, so that a handle is read without the lock (the
// handle was made before whoever reads it got it). The addresses are stored inverted: the leak
// checker of sanitizer builds must not take the table for a reference to the memory.
constexpr std::size_t kChunkBits = 16;
constexpr std::size_t kChunkSize = std::size_t{1} << kChunkBits;
constexpr std::size_t kChunkCount = 1024;

uintptr_t Hidden(const void* p) {
    return ~reinterpret_cast<uintptr_t>(p);
}

struct Table {
    std::mutex lock;
    std::array<uintptr_t*, kChunkCount> chunks{};
    std::unordered_map<uintptr_t, uint32_t> byAddress;  // hidden address -> entry index
    std::vector<uint32_t> released;
    uint32_t used = 0;  // entries ever handed out
};

Table& TheTable() {
    static Table* table = new Table;
    return *table;
}

}  // namespace

namespace dtb_detail {

uint32_t TableHandleOf(const void* p) {
    Table& table = TheTable();
    std::lock_guard<std::mutex> guard(table.lock);
    const auto found = table.byAddress.find(Hidden(p));
    if (found != table.byAddress.end()) return found->second | kTableBit;
    uint32_t index;
    if (!table.released.empty()) {
        index = table.released.back();
        table.released.pop_back();
    } else {
        if (table.used == kChunkCount * kChunkSize) throw std::bad_alloc();
        index = table.used;
        uintptr_t*& chunk = table.chunks[index >> kChunkBits];
        if (chunk == nullptr) chunk = new uintptr_t[kChunkSize];
        ++table.used;
    }
    table.chunks[index >> kChunkBits][index & (kChunkSize - 1)] = Hidden(p);
    table.byAddress.emplace(Hidden(p), index);
    g_tableCount.fetch_add(1, std::memory_order_relaxed);
    return index | kTableBit;
}

void* TableAddressOf(uint32_t handle) noexcept {
    const uint32_t index = handle & ~kTableBit;
    const uintptr_t hidden = TheTable().chunks[index >> kChunkBits][index & (kChunkSize - 1)];
    return reinterpret_cast<void*>(~hidden);
}

void TableRelease(const void* p) noexcept {
    Table& table = TheTable();
    std::lock_guard<std::mutex> guard(table.lock);
    const auto found = table.byAddress.find(Hidden(p));
    if (found == table.byAddress.end()) return;
    const uint32_t index = found->second;
    table.byAddress.erase(found);
    table.chunks[index >> kChunkBits][index & (kChunkSize - 1)] = Hidden(nullptr);
    try {
        table.released.push_back(index);
    } catch (...) {
        // The entry stays unused; nothing else is lost.
    }
    g_tableCount.fetch_sub(1, std::memory_order_relaxed);
}

}  // namespace dtb_detail

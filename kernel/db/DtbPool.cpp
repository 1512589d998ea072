// Size-class pool of element and text memory.
#include "kernel/db/DtbPool.h"

#include <array>
#include <atomic>
#include <cstdlib>
#include <mutex>
#include <new>
#include <vector>

#include "platform/LargeBlocks.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPassThrough = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kPassThrough = true;
#else
constexpr bool kPassThrough = false;
#endif
#else
constexpr bool kPassThrough = false;
#endif

constexpr std::size_t kStep = 8;
constexpr std::size_t kClasses = kDtbPoolMaxSize / kStep;
constexpr std::size_t kBlockSize = std::size_t{1} << 20;

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
    SpinLock lock;
    std::array<FreeSlot*, kClasses> free{};
    char* cursor = nullptr;  // the unused rest of the newest block
    char* limit = nullptr;
    std::vector<void*> blocks;  // never given back while the program runs
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

}  // namespace

void* DtbPoolAllocate(std::size_t size) {
    if (kPassThrough || size > kDtbPoolMaxSize) return ::operator new(size);
    const std::size_t c = ClassOf(size);
    const std::size_t bytes = (c + 1) * kStep;
    Pool& pool = ThePool();
    std::lock_guard<SpinLock> guard(pool.lock);
    pool.inUse += bytes;
    if (FreeSlot* slot = pool.free[c]) {
        pool.free[c] = slot->next;
        return slot;
    }
    if (static_cast<std::size_t>(pool.limit - pool.cursor) < bytes) {
        // The rest of the old block goes to the free lists of the sizes it still fits.
        while (pool.cursor != nullptr && pool.limit - pool.cursor >= static_cast<long>(kStep)) {
            const std::size_t rest = static_cast<std::size_t>(pool.limit - pool.cursor);
            const std::size_t rc = (rest < kDtbPoolMaxSize ? rest : kDtbPoolMaxSize) / kStep - 1;
            auto* s = reinterpret_cast<FreeSlot*>(pool.cursor);
            s->next = pool.free[rc];
            pool.free[rc] = s;
            pool.cursor += (rc + 1) * kStep;
        }
        char* block = static_cast<char*>(platform::AllocateLargeBlock(kBlockSize));
        if (block == nullptr) {
            pool.inUse -= bytes;
            throw std::bad_alloc();
        }
        pool.blocks.push_back(block);
        pool.cursor = block;
        pool.limit = block + kBlockSize;
    }
    void* p = pool.cursor;
    pool.cursor += bytes;
    return p;
}

void DtbPoolFree(void* p, std::size_t size) noexcept {
    if (p == nullptr) return;
    if (kPassThrough || size > kDtbPoolMaxSize) {
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
    return {pool.blocks.size() * kBlockSize, pool.inUse};
}

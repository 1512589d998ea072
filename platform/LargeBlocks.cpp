// Reserved address space, committed in place with its pages mapped at once. The range asks for
// transparent huge pages: a million small objects then touch a few hundred pages, not a
// hundred thousand (each first touch of a page is a fault, dear under a hypervisor).
#include "platform/LargeBlocks.h"

#include <sys/mman.h>

#include <cerrno>
#include <cstdint>

namespace platform {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

}  // namespace

void* ReserveAddressSpace(std::size_t size) {
    // One huge page more than asked, so that the range can start on a huge-page boundary.
    const std::size_t padded = size + kHugePage;
    void* p = mmap(nullptr, padded, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (p == MAP_FAILED) return nullptr;
    const auto start = reinterpret_cast<std::uintptr_t>(p);
    const std::uintptr_t aligned = (start + kHugePage - 1) & ~(kHugePage - 1);
    if (aligned > start) munmap(p, aligned - start);
    const std::uintptr_t end = start + padded;
    if (end > aligned + size) munmap(reinterpret_cast<void*>(aligned + size), end - aligned - size);
    auto* range = reinterpret_cast<void*>(aligned);
    // Only a hint: where the system has no huge pages the range works with small ones.
    madvise(range, size, MADV_HUGEPAGE);
    return range;
}

bool CommitLargeBlock(void* at, std::size_t size) {
    // mprotect keeps the range's huge-page advice (a fresh mapping over it would drop it).
    if (mprotect(at, size, PROT_READ | PROT_WRITE) != 0) return false;
#ifdef MADV_POPULATE_WRITE
    // Older kernels do not know it (the pages are then mapped as they are first touched); no
    // memory left behind them is a failure.
    if (madvise(at, size, MADV_POPULATE_WRITE) != 0 && errno == ENOMEM) {
        mprotect(at, size, PROT_NONE);
        return false;
    }
#endif
    return true;
}

}  // namespace platform

// Reserved address space, committed through mmap with MAP_POPULATE.
#include "platform/LargeBlocks.h"

#include <sys/mman.h>

namespace platform {

void* ReserveAddressSpace(std::size_t size) {
    void* p = mmap(nullptr, size, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    return p == MAP_FAILED ? nullptr : p;
}

bool CommitLargeBlock(void* at, std::size_t size) {
    void* p = mmap(at, size, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED | MAP_POPULATE, -1, 0);
    return p == at;
}

}  // namespace platform

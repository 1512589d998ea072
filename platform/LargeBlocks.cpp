// Large blocks through mmap with MAP_POPULATE.
#include "platform/LargeBlocks.h"

#include <sys/mman.h>

namespace platform {

void* AllocateLargeBlock(std::size_t size) {
    void* p = mmap(nullptr, size, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    return p == MAP_FAILED ? nullptr : p;
}

}  // namespace platform

// Large blocks of memory straight from the system, their pages mapped in one go.
#pragma once

#include <cstddef>

namespace platform {

// A zeroed block of size bytes (a multiple of the page size), aligned to a page, with all its
// pages mapped at once: a million small objects placed in it then cost no page fault each.
// Null when the system has no memory left. The element pool keeps its blocks for good.
void* AllocateLargeBlock(std::size_t size);

}  // namespace platform

// DtbPool: the memory of elements and their attribute texts, in large blocks.
#pragma once

#include <cstddef>

// Elements and their texts are made by the million and are small: each would cost the
// allocator's own header, alignment and a page fault of its own. They come from blocks of a
// megabyte instead, their pages mapped in one go (platform/LargeBlocks.h), one free list per
// size class (8-byte steps up to kDtbPoolMaxSize), so a
// freed element's slot is taken by the next of its size (a rebuild reuses the last build's
// memory). Larger requests go to operator new. Thread-safe.
//
// Builds with the address sanitizer use operator new for everything, so that it still sees
// each element's memory.
inline constexpr std::size_t kDtbPoolMaxSize = 512;

// size bytes aligned to 8 (at least 1 byte is handed out); throws std::bad_alloc.
void* DtbPoolAllocate(std::size_t size);
// Gives back what DtbPoolAllocate(size) returned, with the same size. Null does nothing.
void DtbPoolFree(void* p, std::size_t size) noexcept;

// What the pool holds: bytes of its blocks, and bytes handed out (size classes rounded).
struct DtbPoolUsage {
    std::size_t reserved = 0;
    std::size_t inUse = 0;
};
DtbPoolUsage GetDtbPoolUsage();

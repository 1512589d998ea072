// DtbPool: the memory of elements and their attribute texts, and 32-bit handles to it.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

// Elements and their texts are made by the million and are small: each would cost the
// allocator's own header, alignment and a page fault of its own. They come from blocks of two
// megabytes instead (one huge page each), mapped in one go (platform/LargeBlocks.h), one free list
// per size class (8-byte steps up to kDtbPoolMaxSize), so a freed element's slot is taken by the
// next of its size (a rebuild reuses the last build's memory). Larger requests go to operator
// new. Thread-safe.
//
// The blocks lie in one reserved range of address space, so that a place in it is named by a
// 32-bit handle (its offset in 8-byte steps): the links between elements cost 4 bytes, not 8.
// Memory outside the range (elements on the stack, large requests, a full range) is named by a
// handle from a table.
//
// Builds with the address sanitizer use operator new for everything, so that it still sees
// each element's memory; all their handles come from the table.
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

// --- Handles ---------------------------------------------------------------------------------
// A handle names an address aligned to 8 for as long as the memory there lives; 0 is null.
// Handles of the pool's range are computed; the others are entries of a table, and whoever
// frees such memory must call DtbReleaseHandle (the elements and their option blocks do).

namespace dtb_detail {
inline constexpr uint32_t kTableBit = 0x80000000u;
// The range less 8 bytes (handle 1 is its first address), and its usable size; 0 and 0
// while there is none.
extern std::atomic<uintptr_t> g_rangeBias;
extern std::atomic<uintptr_t> g_rangeSize;
// Entries in the table; its functions below.
extern std::atomic<std::size_t> g_tableCount;
uint32_t TableHandleOf(const void* p);
void* TableAddressOf(uint32_t handle) noexcept;
void TableRelease(const void* p) noexcept;
}  // namespace dtb_detail

// Whether p lies in the pool's range.
inline bool DtbPoolOwns(const void* p) {
    const uintptr_t offset = reinterpret_cast<uintptr_t>(p) -
                             dtb_detail::g_rangeBias.load(std::memory_order_relaxed) - 8;
    return offset < dtb_detail::g_rangeSize.load(std::memory_order_relaxed);
}

// The handle of p (aligned to 8); 0 for null. Throws std::bad_alloc when the table is full.
inline uint32_t DtbHandleOf(const void* p) {
    const uintptr_t offset =
        reinterpret_cast<uintptr_t>(p) - dtb_detail::g_rangeBias.load(std::memory_order_relaxed);
    if (offset - 8 < dtb_detail::g_rangeSize.load(std::memory_order_relaxed))
        return static_cast<uint32_t>(offset >> 3);
    return p == nullptr ? 0 : dtb_detail::TableHandleOf(p);
}

// The address a handle names; null for 0.
inline void* DtbAddressOf(uint32_t handle) noexcept {
    // One test for the common case: 1 up to the table bit is the range.
    if (handle - 1 < dtb_detail::kTableBit - 1)
        return reinterpret_cast<void*>(dtb_detail::g_rangeBias.load(std::memory_order_relaxed) +
                                       (uintptr_t{handle} << 3));
    return handle == 0 ? nullptr : dtb_detail::TableAddressOf(handle);
}

// Forgets the table's handle of p, whose memory is about to be freed; nothing for memory of
// the pool's range or without a handle.
inline void DtbReleaseHandle(const void* p) noexcept {
    if (dtb_detail::g_tableCount.load(std::memory_order_relaxed) != 0 && !DtbPoolOwns(p))
        dtb_detail::TableRelease(p);
}

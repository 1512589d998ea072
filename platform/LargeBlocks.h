// Large blocks of memory straight from the system, their pages mapped in one go.
#pragma once

#include <cstddef>

namespace platform {

// Reserves size bytes of address space (a multiple of the page size), aligned to a huge page, with
// no memory behind it yet: nothing may touch it before CommitLargeBlock. Null when the system
// gives no such range (an address-space limit).
void* ReserveAddressSpace(std::size_t size);

// Gives the part [at, at + size) of a reserved range zeroed memory, all its pages mapped at
// once (huge pages where the system has them, see LargeBlocks.cpp): a million small objects placed
// in it then cost no page fault each. at and size are multiples of the page size. False when the
// system has no memory left.
bool CommitLargeBlock(void* at, std::size_t size);

}  // namespace platform

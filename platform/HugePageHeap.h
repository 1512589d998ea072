// Transparent huge pages for the C library's heap.
#pragma once

namespace platform {

// Where the system gives transparent huge pages only to memory that asks for them (the usual
// "madvise" setting), starts this program again in place (same process, same arguments) with
// the C library told to ask for them on its heap: opening a program of a million lines then
// maps a few hundred pages of memory instead of a few hundred thousand, each first touch of a
// page being a fault that costs dearly under a hypervisor. The restarted program gets the
// environment back as the user gave it, so programs it starts see no difference.
// Call first thing in main, before any thread starts; returns when no restart is needed or
// when it could not be done.
void UseHugePageHeap(char** argv);

}  // namespace platform

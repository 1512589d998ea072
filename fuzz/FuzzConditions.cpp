// Fuzz target of the cutting-condition table reader.
#include "fuzz/FuzzTarget.h"
#include "fuzz/checks/MachineDataCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Report(fuzzcheck::CheckConditions(fuzz::AsText(data, size), fuzz::ScratchFolder()));
    return 0;
}

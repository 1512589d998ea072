// Fuzz target of the binary drawing reader.
#include "fuzz/FuzzTarget.h"
#include "fuzz/checks/DrawingCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Report(fuzzcheck::CheckHnd(fuzz::AsText(data, size), fuzz::ScratchFolder()));
    return 0;
}

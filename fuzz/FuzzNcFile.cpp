// Fuzz target of the NC file framing: open and an unchanged save give the bytes back.
#include "fuzz/FuzzTarget.h"
#include "fuzz/checks/NcFileCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Report(fuzzcheck::CheckNcFile(fuzz::AsText(data, size)));
    return 0;
}

// Fuzz target of the turret arrangement reader.
#include "fuzz/FuzzTarget.h"
#include "fuzz/checks/DieFileCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Report(fuzzcheck::CheckArrangement(fuzz::AsText(data, size), fuzz::ScratchFolder(),
                                             fuzz::TestData()));
    return 0;
}

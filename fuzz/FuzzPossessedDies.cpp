// Fuzz target of the possessed-die file reader.
#include "fuzz/FuzzTarget.h"
#include "fuzz/checks/DieFileCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Report(fuzzcheck::CheckPossessedDies(fuzz::AsText(data, size), fuzz::ScratchFolder()));
    return 0;
}

// Fuzz target of the profile (INI) functions.
#include "fuzz/FuzzTarget.h"
#include "fuzz/checks/ProfileCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Report(fuzzcheck::CheckProfile(fuzz::AsText(data, size), fuzz::ScratchFolder()));
    return 0;
}

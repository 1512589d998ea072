// Fuzz target of the block interpreter driven over a whole program by the program runner.
#include "fuzz/FuzzTarget.h"
#include "fuzz/checks/NcSetupCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzzcheck::NcSamples samples(fuzz::TestData(), fuzz::ScratchFolder());
    fuzz::Report(fuzzcheck::CheckNcProgram(fuzz::AsText(data, size), samples));
    return 0;
}

// Fuzz target of the NC program set-up and the block tokeniser.
#include "fuzz/FuzzTarget.h"
#include "fuzz/checks/NcSetupCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzzcheck::NcSamples samples(fuzz::TestData(), fuzz::ScratchFolder());
    fuzz::Report(fuzzcheck::CheckNcSetup(fuzz::AsText(data, size), samples));
    return 0;
}

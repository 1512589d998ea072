// Fuzz target of the CP932 helpers and the field scanners.
#include "fuzz/FuzzTarget.h"
#include "fuzz/checks/Cp932ScanCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Report(fuzzcheck::CheckCp932Scan(fuzz::AsText(data, size)));
    return 0;
}

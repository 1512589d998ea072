// Stand-in for the outside skip-log library, from the calls the program relies on: flDllInit
// (0 ready), GetSkipLog (fills a 56-byte record, 0 filled) and SetProcStartPos (two ints, 0
// accepted; here a part number >= 0). Tests choose the answers and the record through the
// variables below (looked up by name); a test that drives another process names the record in
// DERORE_STUB_RECORD as "main-program sub-program main-sequence sub-sequence x y".
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" {

int InitResult = 0;  // what flDllInit returns
int InitCalls = 0;
int SkipLogResult = 0;  // what GetSkipLog returns
unsigned char SkipLogBytes[56] = {};
int LastPrtNo = -1;
int LastSeq = -1;

int flDllInit() {
    ++InitCalls;
    return InitResult;
}

int GetSkipLog(void* record) {
    if (SkipLogResult != 0) return SkipLogResult;
    if (const char* text = std::getenv("DERORE_STUB_RECORD")) {
        int32_t numbers[4] = {};
        double xy[2] = {};
        if (std::sscanf(text, "%d %d %d %d %lf %lf", &numbers[0], &numbers[1], &numbers[2],
                        &numbers[3], &xy[0], &xy[1]) != 6)
            return 1;
        std::memset(SkipLogBytes, 0, sizeof SkipLogBytes);
        for (int i = 0; i < 4; ++i) std::memcpy(SkipLogBytes + 4 + 4 * i, &numbers[i], 4);
        std::memcpy(SkipLogBytes + 40, &xy[0], 8);
        std::memcpy(SkipLogBytes + 48, &xy[1], 8);
    }
    std::memcpy(record, SkipLogBytes, sizeof SkipLogBytes);
    return 0;
}

int SetProcStartPos(int prtNo, int seq) {
    LastPrtNo = prtNo;
    LastSeq = seq;
    return prtNo >= 0 ? 0 : 1;
}
}
